#pragma once

#include "base/silentsink.h"

#include <QStringList>

namespace results {

// Keeps what the checks of one imported line said instead of showing it; a question is
// answered No, since nobody is there to answer it.
class CollectingSink : public base::SilentSink {
public:
    base::Answer show(base::MessageKind kind, const QString&, const QString& text,
                      const QStringList&) override
    {
        QString line = text;
        line.replace(QLatin1Char('\r'), QLatin1Char(' '));
        m_texts.append(line.simplified());
        if (kind == base::MessageKind::Confirm || kind == base::MessageKind::Question)
            return base::Answer(base::Answer::No);
        return base::Answer(base::Answer::Ok);
    }

    QStringList take()
    {
        QStringList texts = m_texts;
        m_texts.clear();
        return texts;
    }

private:
    QStringList m_texts;
};

} // namespace results
