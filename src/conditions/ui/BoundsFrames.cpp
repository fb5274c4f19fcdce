#include "conditions/ui/BoundsFrames.h"

#include "conditions/ConditionBoxes.h"
#include "conditions/ui/BoxLeaveGuard.h"
#include "document/ui/FieldBehaviour.h"
#include "platform/UserPrompts.h"
#include "session/Session.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

QGroupBox* BoundsFrames::create(QWidget* parent, const QString& title, const QStringList& rows,
                                int first, int digits, std::span<QLineEdit*> boxes)
{
    auto* frame = new QGroupBox(title, parent);
    auto* grid = new QGridLayout(frame);
    grid->addWidget(new QLabel(QStringLiteral("Minimo"), frame), 0, 1, Qt::AlignCenter);
    grid->addWidget(new QLabel(QStringLiteral("Massimo"), frame), 0, 2, Qt::AlignCenter);
    for (int r = 0; r < rows.size(); ++r) {
        grid->addWidget(new QLabel(rows[r], frame), r + 1, 0);
        for (int c = 0; c < 2; ++c) {
            const int index = first + 2 * r + c;
            auto* box = new QLineEdit(frame);
            box->setObjectName(QStringLiteral("txtCond(%1)").arg(index));
            box->setMaxLength(digits);
            box->setAlignment(Qt::AlignCenter);
            box->setFixedWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("00000")));
            grid->addWidget(box, r + 1, c + 1);
            boxes[std::size_t(index)] = box;
        }
    }
    return frame;
}

void BoundsFrames::prepareBox(QLineEdit* box, const QString& text, bool editable,
                              std::function<bool(QChar)> accepts, BoxLeaveGuard* guard)
{
    box->setText(text);
    box->setEnabled(editable);
    FieldBehaviour::filterKeys(box, FieldBehaviour::accepting(std::move(accepts)));
    FieldBehaviour::selectOnEntry(box);
    guard->watch(box);
}

QVBoxLayout* BoundsFrames::column(const QList<QGroupBox*>& frames, QPushButton* ok,
                                  QPushButton* close)
{
    ok->setObjectName(QStringLiteral("cmdOK"));
    close->setObjectName(QStringLiteral("cmdChiudi"));
    ok->setDefault(true);

    auto* column = new QVBoxLayout;
    for (QGroupBox* frame : frames)
        column->addWidget(frame);
    column->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(close);
    column->addLayout(buttons);
    return column;
}

int BoundsFrames::indexOf(std::span<QLineEdit* const> boxes, const QLineEdit* box)
{
    return int(std::find(boxes.begin(), boxes.end(), box) - boxes.begin());
}

void BoundsFrames::correct(Session& session, BoxLeaveGuard* guard,
                           std::span<QLineEdit* const> boxes, const BoxCorrection& correction)
{
    session.prompts().warn(session.messageTitle(), correction.message);
    QLineEdit* box = boxes[std::size_t(correction.box)];
    box->setText(correction.text);
    guard->focusBox(box);
}
