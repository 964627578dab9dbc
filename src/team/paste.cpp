#include "paste.h"

#include "common/numbertext.h"
#include "duration.h"

namespace {

// Walks the fields of a pasted text without copying it. The remainder behind the last
// separator is a field only when it holds more than blanks: a copy that ends with a line
// break leaves an empty one, while a copy without the final break still ends in data.
class FieldReader {
public:
    explicit FieldReader(QStringView text) : text_(text) {}

    bool next(QStringView& field) {
        if (done_)
            return false;
        const qsizetype start = pos_;
        while (pos_ < text_.size() && !isSeparator(text_[pos_]))
            ++pos_;
        field = text_.sliced(start, pos_ - start);
        if (pos_ == text_.size()) {
            done_ = true;
            return !field.trimmed().isEmpty();
        }
        skipSeparator();
        return true;
    }

private:
    static bool isSeparator(QChar c) { return c == u'\t' || c == u'\r' || c == u'\n'; }

    void skipSeparator() {
        const bool crlf =
            text_[pos_] == u'\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == u'\n';
        pos_ += crlf ? 2 : 1;
    }

    QStringView text_;
    qsizetype pos_ = 0;
    bool done_ = false;
};

// The text a field leaves in the grid: durations become minutes, anything else stays as typed.
std::optional<QString> cellText(QStringView field, const QLocale& locale) {
    if (field.contains(u':')) {
        const std::optional<double> minutes = durationMinutes(field);
        if (!minutes)
            return std::nullopt;
        return locale.toString(*minutes, 'f', QLocale::FloatingPointShortest);
    }
    if (!parseNumber(field, locale))
        return std::nullopt;
    return field.toString();
}

} // namespace

PasteOutcome pasteSessions(QStringView clipboardText, const QLocale& locale) {
    // Minutes written back into the grid must read as one number in this same locale.
    QLocale cellLocale = locale;
    cellLocale.setNumberOptions(locale.numberOptions() | QLocale::OmitGroupSeparator);

    PasteOutcome outcome;
    QList<QString>& cells = outcome.sessions.cells;
    FieldReader fields(clipboardText);
    QStringView field;
    while (fields.next(field)) {
        std::optional<QString> text = cellText(field, cellLocale);
        if (!text)
            return {{}, PasteRefusal::NonNumeric};
        cells.append(std::move(*text));
    }
    if (cells.size() < 2)
        return {{}, PasteRefusal::NotEnoughData};
    if (cells.size() % 2 != 0)
        cells.removeLast();
    return outcome;
}
