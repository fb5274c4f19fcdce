#include "document/TeamList.h"

#include "document/SystemDocument.h"
#include "platform/LegacyTextFile.h"
#include "platform/NumberFormat.h"

TeamList::TeamList()
{
    for (int k = 1; k <= Count; ++k)
        setName(k, defaultName(k));
}

void TeamList::setName(int position, const QString& name)
{
    m_names[position - 1] = fixedWidth(name, NameWidth);
}

QString TeamList::defaultName(int position)
{
    return QStringLiteral("SQUADRA") + NumberFormat::Str(position);
}

bool TeamList::read(const QString& path, QString* error)
{
    const LegacyTextFile::ReadResult file =
        LegacyTextFile::read(path, {Count, LegacyTextFile::LongestTypedText});
    if (file.status == LegacyTextFile::ReadStatus::NotFound)
        return false;
    if (file.status != LegacyTextFile::ReadStatus::Ok) {
        if (error)
            *error = LegacyTextFile::refusalMessage(
                file.status, path,
                QStringLiteral("Il File %1 non contiene Squadre valide !").arg(fileName()));
        return false;
    }
    for (int k = 1; k <= Count; ++k) {
        setName(k, k <= file.values.size() ? LegacyTextFile::textOf(file.values[k - 1])
                                           : defaultName(k));
    }
    return true;
}

bool TeamList::write(const QString& path, const std::array<QString, Count>& texts, QString* error)
{
    QVariantList lines;
    for (const QString& text : texts)
        lines.append(text);
    return LegacyTextFile::write(path, lines, error);
}
