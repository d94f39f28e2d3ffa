#pragma once

#include "platform/Control.h"

#include <QImage>
#include <functional>

/// A plain GUI control placed among report controls. It prints as a picture of itself, drawn by
/// `Painter` (the preview layer renders a widget there); with no painter, or a null picture, it
/// is left out of the page.
class TRLForeignControl : public TControl {
public:
    explicit TRLForeignControl(TComponent* owner);
    QString ClassName() const override;

    /// Creation order shared with the report controls.
    quint64 CreationSerial() const { return m_serial; }
    /// The control painted at `size`.
    std::function<QImage(QSize size)> Painter;
    QImage PaintToImage() const;

private:
    quint64 m_serial;
};

/// The next creation number of a report or foreign control.
quint64 NextCreationSerial();
