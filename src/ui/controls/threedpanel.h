// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ui/controls/designproperties.h"

#include <QWidget>

// A 3D panel: a coloured area with an outer and an inner bevel and an aligned caption; it also
// holds other controls.
class ThreedPanel : public QWidget, public DesignProperties<ThreedPanel> {
    Q_OBJECT
    Q_PROPERTY(int Index READ index WRITE setIndex)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)
    Q_PROPERTY(Bevel BevelOuter READ bevelOuter WRITE setBevelOuter)
    Q_PROPERTY(Bevel BevelInner READ bevelInner WRITE setBevelInner)
    Q_PROPERTY(int BevelWidth READ bevelWidth WRITE setBevelWidth)
    Q_PROPERTY(QColor BackColor READ backColor WRITE setBackColor)
    Q_PROPERTY(QString FontName READ fontName WRITE setFontName)
    Q_PROPERTY(double FontSize READ fontSize WRITE setFontSize)
    Q_PROPERTY(bool FontBold READ fontBold WRITE setFontBold)

public:
    static constexpr QPalette::ColorRole backColorRole = QPalette::Window;

    enum Bevel { None = 0, Inset = 1, Raised = 2 };
    Q_ENUM(Bevel)

    // What the next paint shows of the caption, where, and in which font.
    struct CaptionLayout {
        QRectF room;
        QFont font;
        QString text;
    };

    explicit ThreedPanel(QWidget* parent = nullptr);

    QString caption() const { return text; }
    void setCaption(const QString& caption);
    void setAlignment(Qt::Alignment alignment);
    Bevel bevelOuter() const { return outer; }
    void setBevelOuter(Bevel bevel);
    Bevel bevelInner() const { return inner; }
    void setBevelInner(Bevel bevel);
    int bevelWidth() const { return bevelPixels; }
    void setBevelWidth(int pixels);
    void setBorderWidth(int pixels);
    // A shrinking panel owns its tooltip: it holds the whole caption while "###" stands for it.
    void setShrinkToFit(bool shrink);

    CaptionLayout captionLayout() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QRectF paintBevels(QPainter* painter) const;
    CaptionLayout refit();

    // Every look setting takes effect at the next paint; the tooltip at once, as it is read
    // without one.
    template <class Setting> void changeLook(Setting& setting, const Setting& value) {
        setting = value;
        refit();
        update();
    }

    QString text;
    Qt::Alignment textAlignment = Qt::AlignCenter;
    Bevel outer = Raised;
    Bevel inner = None;
    int bevelPixels = 1;
    int borderPixels = 0;
    bool shrinking = false;
};

// How a panel of the windows looks: by default a plain raised panel with a centred caption in the
// regular weight.
struct PanelLook {
    Qt::Alignment alignment = Qt::AlignCenter;
    ThreedPanel::Bevel outer = ThreedPanel::Raised;
    ThreedPanel::Bevel inner = ThreedPanel::None;
    int borderWidth = 0;
    bool bold = false;
};

// A panel as the windows are designed with it: named, indexed in its control array, captioned.
// Placing it is the caller's.
ThreedPanel* makePanel(QWidget* parent, const QString& name, int index, const QString& caption,
                       const PanelLook& look = {});
