#pragma once

#include "designproperties.h"

#include <QWidget>

// A 3D panel: a coloured area with an outer and an inner bevel and an aligned caption; it also
// holds other controls.
class ThreedPanel : public QWidget, public DesignProperties<ThreedPanel> {
    Q_OBJECT
    Q_PROPERTY(int Index READ index WRITE setIndex)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(Qt::Alignment Alignment READ alignment WRITE setAlignment)
    Q_PROPERTY(Bevel BevelOuter READ bevelOuter WRITE setBevelOuter)
    Q_PROPERTY(Bevel BevelInner READ bevelInner WRITE setBevelInner)
    Q_PROPERTY(int BevelWidth READ bevelWidth WRITE setBevelWidth)
    Q_PROPERTY(int BorderWidth READ borderWidth WRITE setBorderWidth)
    Q_PROPERTY(QColor BackColor READ backColor WRITE setBackColor)
    Q_PROPERTY(QString FontName READ fontName WRITE setFontName)
    Q_PROPERTY(double FontSize READ fontSize WRITE setFontSize)
    Q_PROPERTY(bool FontBold READ fontBold WRITE setFontBold)

public:
    static constexpr QPalette::ColorRole backColorRole = QPalette::Window;

    enum Bevel { None = 0, Inset = 1, Raised = 2 };
    Q_ENUM(Bevel)

    explicit ThreedPanel(QWidget* parent = nullptr);

    QString caption() const { return text; }
    void setCaption(const QString& caption);
    Qt::Alignment alignment() const { return textAlignment; }
    void setAlignment(Qt::Alignment alignment);
    Bevel bevelOuter() const { return outer; }
    void setBevelOuter(Bevel bevel);
    Bevel bevelInner() const { return inner; }
    void setBevelInner(Bevel bevel);
    int bevelWidth() const { return bevelPixels; }
    void setBevelWidth(int pixels);
    int borderWidth() const { return borderPixels; }
    void setBorderWidth(int pixels);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRectF paintBevels(QPainter* painter) const;

    // Every look setting takes effect at the next paint.
    template <class Setting> void changeLook(Setting& setting, const Setting& value) {
        setting = value;
        update();
    }

    QString text;
    Qt::Alignment textAlignment = Qt::AlignCenter;
    Bevel outer = Raised;
    Bevel inner = None;
    int bevelPixels = 1;
    int borderPixels = 0;
};
