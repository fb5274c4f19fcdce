#include "session/Session.h"

#include "document/StatusTexts.h"
#include "document/SystemFiles.h"
#include "platform/NumberFormat.h"
#include "platform/Twips.h"
#include "platform/UserPrompts.h"

#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScopeGuard>

#include <cmath>

namespace {

const QString Title = QString::fromLatin1(Session::AppTitle);
const QStringList SystemFilters = {QStringLiteral("Tutti i file (*.*)"),
                                   QStringLiteral("Pronostico (*.pro)")};

// The hourglass for the length of a scope.
[[nodiscard]] auto waitCursor()
{
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    return qScopeGuard([] {
        if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
            QGuiApplication::restoreOverrideCursor();
    });
}

bool sameFolder(const QString& a, const QString& b)
{
    return QDir::cleanPath(a).compare(QDir::cleanPath(b), Qt::CaseInsensitive) == 0;
}

} // namespace

Session::Session(const QString& appFolder, UserPrompts& prompts, QObject* parent)
    : QObject(parent)
    , m_appFolder(appFolder)
    , m_prompts(prompts)
{
    m_commands.apply(CommandRule::Reset, m_document);
}

QString Session::appFilePath(const QString& fileName) const
{
    return QDir::toNativeSeparators(QDir(m_appFolder).filePath(fileName));
}

QString Session::defaultSystemsFolder() const
{
    return appFilePath(QStringLiteral("Sistemi"));
}

QString Session::caption() const
{
    if (m_document.SystemName.isEmpty())
        return Title;
    return Title + QStringLiteral(" - ") + m_document.SystemName +
           (m_document.Modified ? QStringLiteral(" *") : QString());
}

void Session::setCaption()
{
    emit captionChanged(caption());
}

QString Session::systemsFolder() const
{
    const QString& chosen = m_options[Options::SystemsFolder];
    return chosen.trimmed().isEmpty() ? defaultSystemsFolder() : chosen;
}

bool Session::loadOptions()
{
    QString refused;
    if (m_options.read(appFilePath(Options::fileName()), defaultSystemsFolder(), &refused))
        return true;
    // A refused file is replaced through the dialog, which then starts from its defaults.
    if (!refused.isEmpty()) {
        m_prompts.warn(Title, refused);
        m_options = Options::dialogDefaults(defaultSystemsFolder());
    }
    return false;
}

bool Session::loadTeams()
{
    QString refused;
    if (m_teams.read(appFilePath(TeamList::fileName()), &refused))
        return true;
    if (!refused.isEmpty())
        m_prompts.warn(Title, refused);
    return false;
}

bool Session::writeOptions()
{
    QString error;
    const bool written = m_options.write(appFilePath(Options::fileName()), &error);
    if (!written)
        m_prompts.message(
            {MessageIcon::Critical, Title,
             QStringLiteral("Impossibile scrivere il File Opzioni.sys ! (%1)").arg(error)});
    loadOptions();
    return written;
}

bool Session::writeTeams(const std::array<QString, TeamList::Count>& texts)
{
    QString error;
    const bool written = TeamList::write(appFilePath(TeamList::fileName()), texts, &error);
    if (!written)
        m_prompts.message(
            {MessageIcon::Critical, Title,
             QStringLiteral("Impossibile scrivere il File Squadre.sys ! (%1)").arg(error)});
    loadTeams();
    return written;
}

void Session::resetDocument()
{
    m_document.reset(m_options.defaultQuote(), QDate::currentDate());
    setCaption();
    m_commands.apply(CommandRule::Reset, m_document);
    emit commandsChanged();
    emit conditionsSummaryRequested(false);
    refreshStatus();
    emit documentReset();
}

void Session::markModified()
{
    m_document.Modified = 1;
    setCaption();
}

void Session::applyRule(CommandRule rule)
{
    m_commands.apply(rule, m_document);
    emit commandsChanged();
}

void Session::refreshStatus()
{
    m_commands.apply(CommandRule::ReducedStatus, m_document);
    if (m_document.ReducedCount >= 1)
        m_document.SlipCount = StatusTexts::slipCountFor(
            m_document.MergedCount >= 1 ? m_document.MergedCount : m_document.ReducedCount);
    emit commandsChanged();
    emit statusChanged();
}

bool Session::saveWithPointer()
{
    const auto pointer = waitCursor();
    QString error;
    const bool saved = SystemFiles::save(m_document, systemsFolder(), &error);
    if (!saved)
        m_prompts.message({MessageIcon::Critical, Title,
                           QStringLiteral("Impossibile salvare il Pronostico ! (%1)").arg(error)});
    setCaption();
    return saved;
}

void Session::save()
{
    saveWithPointer();
}

void Session::followSystemsFolder(const QString& folder)
{
    if (sameFolder(folder, systemsFolder()))
        return;
    m_options[Options::SystemsFolder] = QDir::toNativeSeparators(folder);
    m_prompts.inform(Title, QStringLiteral("La cartella dei Sistemi è stata cambiata"));
    writeOptions();
}

bool Session::saveAs()
{
    FileRequest request;
    request.filters = SystemFilters;
    request.selectedFilter = 1;
    request.defaultSuffix = QStringLiteral("pro");
    request.folder = systemsFolder();
    request.fileName = m_document.SystemName + QStringLiteral(".pro");
    const std::optional<QString> chosen = m_prompts.saveFile(request);
    if (!chosen)
        return false;
    const QFileInfo file(*chosen);
    m_document.SystemName = file.fileName().chopped(4);
    followSystemsFolder(file.absolutePath());
    saveWithPointer();
    return true;
}

bool Session::offerToSave(MessageIcon icon)
{
    if (m_document.Modified != 1)
        return true;
    const MessageAnswer answer =
        m_prompts.ask(icon, messageTitle(), QStringLiteral("Vuoi salvare il Pronostico corrente ?"),
                      MessageButtons::YesNoCancel);
    if (answer == MessageAnswer::Yes)
        saveWithPointer();
    return answer != MessageAnswer::Cancel;
}

bool Session::open()
{
    if (!offerToSave(MessageIcon::Question))
        return false;

    FileRequest request;
    request.filters = SystemFilters;
    request.selectedFilter = 1;
    request.defaultSuffix = QStringLiteral("pro");
    request.folder = systemsFolder();
    request.fileName = QStringLiteral("*.pro");
    const std::optional<QString> chosen = m_prompts.openFile(request);
    return chosen && load(*chosen);
}

bool Session::openFile(const QString& path)
{
    if (!path.endsWith(QLatin1String(".pro"), Qt::CaseInsensitive)) {
        m_prompts.warn(Title, QStringLiteral("Il file '%1' non è un Pronostico (.pro) !")
                                  .arg(QDir::toNativeSeparators(path)));
        return false;
    }
    return offerToSave(MessageIcon::Question) && load(path);
}

bool Session::load(const QString& path)
{
    const QFileInfo file(path);
    const QString name = file.fileName().chopped(4);
    const QString folder = file.absolutePath();
    resetDocument();
    SystemFiles::LoadResult loaded;
    {
        const auto pointer = waitCursor();
        loaded = SystemFiles::load(m_document, folder, name);
    }
    if (loaded.status == SystemFiles::LoadStatus::FileNotFound) {
        m_prompts.warn(Title, QStringLiteral("Impossibile trovare il File ! (53)  "));
        return false;
    }
    if (loaded.status == SystemFiles::LoadStatus::Malformed) {
        m_prompts.warn(Title, loaded.message);
        return false;
    }
    m_document.SystemName = name;
    followSystemsFolder(folder);

    m_commands.apply(CommandRule::Opened, m_document);
    emit commandsChanged();
    if (m_document.IntegralCount > 0)
        emit conditionsSummaryRequested(true);
    refreshStatus();
    setCaption();
    emit systemOpened();
    return true;
}

bool Session::newSystem()
{
    QString name;
    for (;;) {
        const std::optional<QString> answer =
            m_prompts.input({QStringLiteral("Nuovo Pronostico"),
                             QStringLiteral("Nome del Nuovo Pronostico"),
                             {},
                             {}});
        name = answer.value_or(QString()).remove(QLatin1Char(' '));
        if (name.isEmpty())
            return false;
        const QString pro = SystemFiles::pathOf(systemsFolder(), name, QStringLiteral(".pro"));
        if (!QFileInfo::exists(pro))
            break;
        const MessageAnswer overwrite = m_prompts.ask(
            MessageIcon::Exclamation, Title,
            QStringLiteral("Il File ") + *answer + QStringLiteral(".pro esiste ! Sovrascriverlo ?"),
            MessageButtons::YesNo, MessageAnswer::No);
        if (overwrite == MessageAnswer::Yes)
            break;
    }
    if (!offerToSave(MessageIcon::Question))
        return false;
    resetDocument();
    m_document.SystemName = name;
    setCaption();
    refreshStatus();
    return true;
}

void Session::shares()
{
    const SystemDocument& doc = m_document;
    const std::optional<QString> answer = m_prompts.input(
        {messageTitle() + QStringLiteral(" - Quote"), QStringLiteral("Quote (1...999)"),
         QString::number(doc.Quote), QPoint(Twips::toPixels(1500), Twips::toPixels(1500))});
    const double v = std::trunc(NumberFormat::readAsNumber(answer.value_or(QString())));
    if (v == 0)
        return;
    if (v < 1 || v > 999) {
        m_prompts.warn(QStringLiteral("Quote del Sistema"),
                       QStringLiteral("Valore delle Quote non ammesso !"));
        return;
    }
    if (v == doc.Quote)
        return;
    bool overflow = false;
    const quint8 quote = toByte(v, &overflow);
    if (overflow) {
        m_prompts.message(
            {MessageIcon::Critical, Title, QStringLiteral("Errore nel valore delle Quote ! (6)")});
        return;
    }
    m_document.Quote = quote;
    markModified();
    refreshStatus();
}

bool Session::confirmExit()
{
    if (m_prompts.ask(MessageIcon::Question, Title, QStringLiteral("Uscire dal programma ?"),
                      MessageButtons::YesNo) == MessageAnswer::No)
        return false;
    return offerToSave(MessageIcon::Exclamation);
}

void Session::endMerge()
{
    if (m_document.MergedCount >= 1) {
        m_document.MergedCount = 0;
        emit mergeCaptionChanged(QStringLiteral("&Accorpa Colonne"));
    }
}

void Session::unmerge()
{
    emit mergeCaptionChanged(QStringLiteral("&Accorpa Colonne"));
    m_document.MergedCount = 0;
    refreshStatus();
    m_prompts.inform(messageTitle(), QStringLiteral("Colonne disaccorpate"));
}

void Session::setMerged(qint32 count)
{
    m_document.MergedCount = count;
    emit mergeCaptionChanged(QStringLiteral("Dis&accorpa"));
    refreshStatus();
}

void Session::predictionConfirmed()
{
    markModified();
    m_commands.apply(CommandRule::PredictionConfirmed, m_document);
    endMerge();
    emit commandsChanged();
    refreshStatus();
}
