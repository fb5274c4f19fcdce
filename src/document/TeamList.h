#pragma once

#include <QString>

#include <array>

// The 74 team names the user keeps for all systems, each exactly 15 characters.
class TeamList {
public:
    static constexpr int Count = 74;
    static constexpr int NameWidth = 15;

    TeamList();

    // Position 1..74.
    const QString& name(int position) const { return m_names[position - 1]; }
    void setName(int position, const QString& name);

    // The name an empty field receives: "SQUADRA" & Str(position).
    static QString defaultName(int position);

    static QString fileName() { return QStringLiteral("Squadre.sys"); }
    // Missing positions receive their default names. False when the file does not exist or is
    // refused (more than 74 names, anything a line edit could not have written); `error` then
    // tells why in Italian, empty when the file is missing, and the names are left as they were.
    bool read(const QString& path, QString* error = nullptr);
    // Writes the texts as given (not padded), as the dialog does.
    static bool write(const QString& path, const std::array<QString, Count>& texts,
                      QString* error = nullptr);

private:
    std::array<QString, Count> m_names;
};
