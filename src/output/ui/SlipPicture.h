#pragma once

#include "output/SlipCalibration.h"
#include "output/SlipLayout.h"

#include <QWidget>

#include <functional>

class RecordingPrinter;

// The slip on screen: the boxes where the printed slip has them, and the dots and text of one
// slip where the printer would put them with the current offsets and diameter, so the player
// sees the calibration before spending paper.
class SlipPicture final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SlipPicture)
public:
    // Prints the slip to show on the surface it is given.
    using Slip = std::function<void(PrintSurface&, const SlipCalibration&)>;

    SlipPicture(Slip slip, QWidget* parent = nullptr);
    ~SlipPicture() override;

    void setCalibration(const SlipCalibration& calibration);
    // The dots drawn now, as recorded (for checks).
    const RecordingPrinter& recorded() const { return *m_recorder; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    Slip m_slip;
    std::unique_ptr<RecordingPrinter> m_recorder;
};
