#pragma once

#include <QString>

namespace sheets {

// The printed labels of the sheets in the meeting's print language: English, or the
// Afrikaans variant when MEETING.PRINT_LANGUAGE is 1. A label without a variant stays
// English.
class SheetWords {
public:
    explicit SheetWords(bool afrikaans = false) : m_afrikaans(afrikaans) {}
    bool afrikaans() const { return m_afrikaans; }
    QString operator()(const char* english) const;
    QString operator()(const QString& english) const;

private:
    bool m_afrikaans;
};

} // namespace sheets
