#pragma once

#include <QString>

// Where the slip printer puts its dots: the vertical and horizontal offsets and the dot diameter
// in millimetres, kept in DefPrnV.sys of the application folder as three bare numbers (A, S, D).
struct SlipCalibration {
    static constexpr double OffsetLimit = 20.0;
    static constexpr double MaximumDot = 2.54;

    double vertical = 0;   // A
    double horizontal = 0; // S
    double dot = 1.6;      // D

    static QString fileName() { return QStringLiteral("DefPrnV.sys"); }
    // Beside it, the name of the printer the calibration was made on, one UTF-8 line: the
    // calibration file keeps its three numbers alone.
    static QString printerFileName() { return QStringLiteral("DefPrnV.prn"); }

    // The values of `path`; the defaults 0, 0, 1.6 when the file is missing or unreadable. Values
    // a hand-edited file holds beyond what the window can set are brought within it.
    static SlipCalibration read(const QString& path);
    bool write(const QString& path, QString* error = nullptr) const;

    // The printer named in `path`; empty when none is recorded.
    static QString readPrinter(const QString& path);
    static bool writePrinter(const QString& path, const QString& printer, QString* error = nullptr);

    friend bool operator==(const SlipCalibration&, const SlipCalibration&) = default;
};
