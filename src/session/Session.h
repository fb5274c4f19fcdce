#pragma once

#include "document/Options.h"
#include "document/SystemDocument.h"
#include "document/TeamList.h"
#include "platform/ProgressReporter.h"
#include "session/CommandRules.h"

#include <QObject>
#include <QString>

class UserPrompts;
enum class MessageIcon;

// The running program without its windows: the application folder, options, team names, the
// open system and the commands' state, plus the command flows that only ask questions (New,
// Open, Save, Save As, shares, exit). Windows observe its signals and call its operations.
class Session final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Session)
public:
    static constexpr const char* AppTitle = "QUADRIGO 13";

    Session(const QString& appFolder, UserPrompts& prompts, QObject* parent = nullptr);

    const QString& appFolder() const { return m_appFolder; }
    QString appFilePath(const QString& fileName) const;
    QString defaultSystemsFolder() const;
    // The folder of Opzioni.sys; until the options are first confirmed (the dialog closed
    // without OK on a first start) the Sistemi folder of the program.
    QString systemsFolder() const;

    SystemDocument& document() { return m_document; }
    const SystemDocument& document() const { return m_document; }
    Options& options() { return m_options; }
    const TeamList& teams() const { return m_teams; }
    CommandState& commands() { return m_commands; }
    const CommandState& commands() const { return m_commands; }
    UserPrompts& prompts() { return m_prompts; }
    // The main window's progress bar (BarraAttesa); a silent one until a window sets it.
    ProgressReporter& progress() { return *m_progress; }
    void setProgress(ProgressReporter* progress) { m_progress = progress ? progress : &m_silent; }

    // Mode codes a command writes before opening a shared window, which reads them while loading.
    QString DialogMode; // SEGN, INTE, SIMM, PARA, PAR3, CInt, CRid
    QString TaskMode;   // CInt, CRid, TEMP, STAM
    QString PrintMode;  // SPCI, SPCR, StPr
    QString ArchiveMode;

    // Title of most message boxes: the system's name.
    QString messageTitle() const { return m_document.SystemName; }
    QString caption() const;

    // Start-up steps that do not need windows. Each returns false when the file was missing,
    // in which case the caller opens the matching dialog.
    bool loadOptions();
    bool loadTeams();
    bool writeOptions();
    bool writeTeams(const std::array<QString, TeamList::Count>& texts);

    void resetDocument();
    void markModified();
    void applyRule(CommandRule rule);
    // Status bars and the reduced-system commands (R5).
    void refreshStatus();

    // New: true when the matches dialog must open now.
    bool newSystem();
    // Open: true when a system was loaded.
    bool open();
    // Open without the file dialog, for a system named on the command line: true when loaded.
    bool openFile(const QString& path);
    void save();
    // Save As: false when cancelled.
    bool saveAs();
    void shares();
    // Exit: true when the program may end.
    bool confirmExit();

    // A changed prediction confirmed: the reduced and merged systems are dropped.
    void predictionConfirmed();
    // A merged system discarded (unmerge, new prediction, new reduction).
    void endMerge();
    // The merge toggle's second half: back to the reduced system, with the message.
    void unmerge();
    // A merge completed with `count` rows: the merged system takes the place of the reduced one
    // for printing and dictation.
    void setMerged(qint32 count);

signals:
    void captionChanged(const QString& caption);
    void statusChanged();
    void commandsChanged();
    void conditionsSummaryRequested(bool visible);
    void mergeCaptionChanged(const QString& caption);
    void systemOpened();
    // The document went back to a new system's values (start-up, New, Open).
    void documentReset();

private:
    void setCaption();
    bool saveWithPointer();
    // Asks whether to save unsaved changes and saves on Yes; false when the user cancels.
    bool offerToSave(MessageIcon icon);
    // Open's second half, once the .pro file is chosen.
    bool load(const QString& path);
    // After Open or Save As chose a file in another folder.
    void followSystemsFolder(const QString& folder);

    QString m_appFolder;
    UserPrompts& m_prompts;
    SystemDocument m_document;
    Options m_options;
    TeamList m_teams;
    CommandState m_commands;
    ProgressReporter m_silent;
    ProgressReporter* m_progress = &m_silent;
};
