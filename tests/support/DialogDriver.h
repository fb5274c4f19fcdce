#pragma once

// Header-only: the support library does not link the window modules, the GUI tests that include
// this do.
#include "session/Session.h"
#include "support/ScriptedPrompts.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

// Drives a condition dialog the way the user does: opens it on a session of its own, types into
// its boxes txtCond(i) by keys, leaves them with Tab and clicks its buttons. A test class derives
// from it and sets the session's system up after startSession().
template <typename Dialog> class DialogDriver {
protected:
    void startSession()
    {
        m_folder = std::make_unique<QTemporaryDir>();
        m_prompts = std::make_unique<ScriptedPrompts>();
        m_session = std::make_unique<Session>(m_folder->path(), *m_prompts);
        QVERIFY(m_folder->isValid());
    }
    void endSession()
    {
        m_dialog.reset();
        QVERIFY2(m_prompts->allConsumed(), "a scripted message was not shown");
        m_session.reset();
        m_prompts.reset();
        m_folder.reset();
    }

    QLineEdit* box(int i) const
    {
        return m_dialog->template findChild<QLineEdit*>(QStringLiteral("txtCond(%1)").arg(i));
    }
    QPushButton* button(const char* name) const
    {
        return m_dialog->template findChild<QPushButton*>(QLatin1String(name));
    }
    // Opens the dialog, in `mode` when one is given, as the active window.
    void open(const char* mode = nullptr)
    {
        if (mode)
            m_session->DialogMode = QLatin1String(mode);
        m_dialog = std::make_unique<Dialog>(*m_session);
        m_dialog->show();
        QApplication::setActiveWindow(m_dialog.get());
        QVERIFY(QTest::qWaitForWindowActive(m_dialog.get()));
    }
    // Enters a box and replaces its text by typing.
    void type(int i, const QString& keys)
    {
        box(i)->setFocus(Qt::MouseFocusReason);
        QTest::keyClick(box(i), Qt::Key_A, Qt::ControlModifier);
        if (keys.isEmpty())
            QTest::keyClick(box(i), Qt::Key_Backspace);
        else
            QTest::keyClicks(box(i), keys);
    }
    void leave(int i) { QTest::keyClick(box(i), Qt::Key_Tab); }
    // Types `keys` into box i and leaves it: the warning `message` comes up, the box shows
    // `corrected` and keeps the focus.
    void refuse(int i, const char* keys, const char* corrected, const char* message)
    {
        m_prompts->expectMessage(QString::fromUtf8(message));
        type(i, QString::fromUtf8(keys));
        leave(i);
        QCOMPARE(box(i)->text(), QString::fromUtf8(corrected));
        QVERIFY(box(i)->hasFocus());
        checkLastMessage(QString::fromUtf8(message));
    }
    void click(const char* name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    void clickOk() { click("cmdOK"); }
    // The last message shown was this warning, under the system's name.
    void checkLastMessage(const QString& text)
    {
        const MessageRequest& message = m_prompts->lastMessage();
        QCOMPARE(message.text, text);
        QCOMPARE(message.icon, MessageIcon::Exclamation);
        QCOMPARE(message.title, QStringLiteral("Prova"));
    }

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<ScriptedPrompts> m_prompts;
    std::unique_ptr<Session> m_session;
    std::unique_ptr<Dialog> m_dialog;
};
