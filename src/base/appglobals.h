#pragma once

#include <QString>

namespace base {

// The application code of this program: it selects the swimming edition.
inline constexpr const char* kApplicationCode = "DLVN";
// The athletics edition of the family.
inline constexpr const char* kAthleticsCode = "TMRK";

// The globals of one run, created once by the run loop.
class AppGlobals {
public:
    explicit AppGlobals(const QString& applicationCode = QString::fromLatin1(kApplicationCode));

    const QString& applicationCode() const { return m_code; }
    const QString& title() const { return m_title; }
    const QString& version() const { return m_version; }
    const QString& buildDate() const { return m_buildDate; }
    // The title, a blank and the version: the program title of every caption.
    QString programTitle() const { return m_title + QLatin1Char(' ') + m_version; }
    // The product name used in folder and file names ("Dolvane").
    const QString& productName() const { return m_title; }
    bool isSwimming() const { return m_code == QLatin1String(kApplicationCode); }
    // The word for a competitor in screens: "Swimmer" in this edition.
    QString personWord() const;
    int randomNumber() const { return m_random; }
    // The per-edition text that keys the enciphering of stored secrets.
    const QString& secretText() const { return m_secret; }

private:
    QString m_code;
    QString m_title;
    QString m_version;
    QString m_buildDate;
    QString m_secret;
    int m_random = 0;
};

} // namespace base
