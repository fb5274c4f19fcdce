#pragma once

#include <QList>
#include <QStringList>

#include <functional>
#include <span>

class BoxLeaveGuard;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QVBoxLayout;
class QWidget;
class Session;
struct BoxCorrection;

// What the dialogs of minimum and maximum bounds build and check alike, so that the signs and
// the symmetries windows look and answer the same way.
class BoundsFrames final {
public:
    BoundsFrames() = delete;

    // A frame of boxes in rows of (minimum, maximum) pairs under "Minimo" and "Massimo",
    // starting at box `first`; each box is stored at its index in `boxes` and takes at most
    // `digits` characters.
    static QGroupBox* create(QWidget* parent, const QString& title, const QStringList& rows,
                             int first, int digits, std::span<QLineEdit*> boxes);
    // Shows a box's entry, lets in only the keys `accepts` takes and has `guard` check the box
    // when it is left.
    static void prepareBox(QLineEdit* box, const QString& text, bool editable,
                           std::function<bool(QChar)> accepts, BoxLeaveGuard* guard);
    // Names OK (the default button) and Annulla and stacks the frames over them.
    static QVBoxLayout* column(const QList<QGroupBox*>& frames, QPushButton* ok,
                               QPushButton* close);

    // The index in `boxes` of `box`, as the checks know the boxes.
    static int indexOf(std::span<QLineEdit* const> boxes, const QLineEdit* box);
    // A refused entry: the warning, then the corrected text in the box the correction names,
    // which takes the focus for the user to amend it.
    static void correct(Session& session, BoxLeaveGuard* guard, std::span<QLineEdit* const> boxes,
                        const BoxCorrection& correction);
};
