#pragma once

#include "designproperties.h"

#include <QRadioButton>

// A 3D option button, one of an array: selecting it clears its siblings and reports its Index
// and new Value. It stays out of the Tab chain but takes clicks.
class ThreedOption : public QRadioButton, public DesignProperties<ThreedOption> {
    Q_OBJECT
    Q_PROPERTY(int Index READ index WRITE setIndex)
    Q_PROPERTY(bool Value READ value WRITE setValue)
    Q_PROPERTY(QString Caption READ text WRITE setText)
    Q_PROPERTY(QColor BackColor READ backColor WRITE setBackColor)
    Q_PROPERTY(QString FontName READ fontName WRITE setFontName)
    Q_PROPERTY(double FontSize READ fontSize WRITE setFontSize)
    Q_PROPERTY(bool FontBold READ fontBold WRITE setFontBold)

public:
    static constexpr QPalette::ColorRole backColorRole = QPalette::Window;

    explicit ThreedOption(QWidget* parent = nullptr);

    bool value() const { return isChecked(); }
    // Selecting in code reports the click like the user's; clearing reports nothing.
    void setValue(bool value);

signals:
    void optionClicked(int index, bool value);

protected:
    void focusInEvent(QFocusEvent* event) override;
};
