#include "numbertext.h"

#include "plainnumber.h"

#include <QString>
#include <cmath>
#include <limits>

namespace {

using namespace Qt::Literals::StringLiterals;

const QString dollarSign = u"$"_s;

bool startsWithSign(QStringView text, const QLocale& locale) {
    return text.startsWith(locale.negativeSign()) || text.startsWith(locale.positiveSign());
}

// Removes one currency symbol standing before the digits (behind an optional sign) or
// after them. Returns false when the symbol stands anywhere else.
bool stripCurrency(QString& text, const QString& symbol, const QLocale& locale) {
    if (symbol.isEmpty() || !text.contains(symbol))
        return true;
    if (text.endsWith(symbol)) {
        text.chop(symbol.size());
    } else {
        qsizetype at = 0;
        if (startsWithSign(text, locale))
            at = text.startsWith(locale.negativeSign()) ? locale.negativeSign().size()
                                                        : locale.positiveSign().size();
        if (QStringView(text).mid(at).startsWith(symbol))
            text.remove(at, symbol.size());
        else
            return false;
        if (startsWithSign(QStringView(text).mid(at), locale))
            return false; // "-$-5" is no amount
    }
    text = text.trimmed();
    return true;
}

} // namespace

std::optional<double> parseNumber(QStringView text, const QLocale& locale) {
    if (const std::optional<double> plain = readPlainNumber(text.trimmed(), locale))
        return plain;

    QString body = text.trimmed().toString();
    bool negative = false;
    if (body.size() >= 2 && body.startsWith(u'(') && body.endsWith(u')')) {
        body = body.mid(1, body.size() - 2).trimmed();
        negative = true;
    }

    const QString localSymbol = locale.currencySymbol(QLocale::CurrencySymbol);
    if (!stripCurrency(body, localSymbol, locale))
        return std::nullopt;
    if (localSymbol != dollarSign && !stripCurrency(body, dollarSign, locale))
        return std::nullopt;
    if (negative && startsWithSign(body, locale))
        return std::nullopt; // "(-5)" says minus twice

    bool ok = false;
    const double value = locale.toDouble(body, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

std::optional<float> parseFloat(QStringView text, const QLocale& locale) {
    const std::optional<double> value = parseNumber(text, locale);
    if (!value || std::abs(*value) > std::numeric_limits<float>::max())
        return std::nullopt;
    return static_cast<float>(*value);
}
