#include "db/dmdcoredbs.h"

#include "base/messages.h"
#include "db/sidereader.h"
#include "db/sqltext.h"

namespace db {

// Logging in (local or on a server, with the retries), the connection text, closing.

bool isRemoteConnectionText(const QString& connectionText)
{
    const int colon = connectionText.indexOf(QLatin1Char(':'));
    // "host:path" or "host/port:path"; a local path starts with the root folder.
    return colon > 1 && !connectionText.startsWith(QLatin1Char('/'));
}

bool DmdCoreDbs::attempt(const QString& connectionText, const std::optional<Credentials>& login)
{
    if (m_attachment) {
        m_messages.sink().progressDone();
        m_attachment->detach(nullptr);
        m_attachment.reset();
    }
    DbError error;
    m_attachment = FbAttachment::attach(connectionText, login, &error);
    if (isConnected())
        return true;
    m_loginFailures << error.message;
    m_lastLoginError = error;
    return false;
}

bool DmdCoreDbs::login(const QString& connectionText, int option)
{
    m_loginFailures.clear();
    m_lastLoginError.clear();
    m_loginAttempt = 0;
    if (option < 0 || option > 2)
        return false;
    m_messages.progress(QString(), connectionText + QStringLiteral(": busy Connecting"));
    const bool remote = isRemoteConnectionText(connectionText);
    bool connected = false;
    if (option == 0 || option == 1) {
        connected =
            attempt(connectionText, Credentials{QStringLiteral("SYSDBA"), kServerDefaultPassword});
        if (connected) {
            m_loginAttempt = 1;
        } else if (remote && m_lastLoginError.isUnreachableDatabase()) {
            m_messages.progressDone();
            m_messages.warning(QStringLiteral("Could not find the network-database\r") +
                               connectionText + QStringLiteral("\r\r") + m_lastLoginError.message);
            return false;
        }
    }
    if (!connected && (option == 0 || option == 2)) {
        connected = attempt(connectionText, std::nullopt);
        if (connected) {
            m_loginAttempt = 2;
        } else {
            connected =
                attempt(connectionText, Credentials{QStringLiteral("SYSDBA"), kProductPassword});
            if (connected)
                m_loginAttempt = 3;
        }
    }
    m_messages.progressDone();
    if (!connected) {
        m_attachment.reset();
        if (m_messages.developerMode())
            m_messages.internalError(
                10202, QStringLiteral("You may need to copy gds32.dll to two places"));
        QString text = QStringLiteral(
            "Tamrok could not connect to the database driver (Firebird).\r\r"
            "Please check that the Firebird server is installed and running:\r"
            " - in the control panel (services),\r"
            " - in the task manager's processes,\r"
            " - in the list of installed programs.\r"
            "Reinstall Firebird if in doubt.\r"
            "If an InterBase server or guardian runs on this computer, uninstall InterBase.\r\r"
            "You wanted to connect to: ");
        text += connectionText + QStringLiteral("\r\rThe error message was: ");
        for (const QString& failure : m_loginFailures)
            text += QStringLiteral("\r") + failure;
        m_messages.internalError(10203, text);
        return false;
    }
    m_connectionText = connectionText;
    m_remote = remote;
    DbError error;
    if (m_tscView.isActive()) {
        m_messages.internalError(10204, QStringLiteral(" Transaction was already active"));
    } else if (!m_tscView.start(*m_attachment, &error)) {
        m_messages.internalError(10205, error.message);
    }
    m_messages.setInternalErrorRecorder(
        [this](qint64 number, const QString& text) { recordInternalError(number, text); });
    return true;
}

std::unique_ptr<DmdCoreDbs> DmdCoreDbs::openSibling(base::Messages& messages) const
{
    if (!isConnected() || m_remote)
        return nullptr;
    std::optional<Credentials> login;
    if (m_loginAttempt == 1)
        login = Credentials{QStringLiteral("SYSDBA"), kServerDefaultPassword};
    else if (m_loginAttempt == 3)
        login = Credentials{QStringLiteral("SYSDBA"), kProductPassword};
    auto sibling = std::make_unique<DmdCoreDbs>(messages, m_code, m_version);
    if (!sibling->attempt(m_connectionText, login))
        return nullptr;
    sibling->m_connectionText = m_connectionText;
    sibling->m_loginAttempt = m_loginAttempt;
    return sibling;
}

SideReader& DmdCoreDbs::sideReader()
{
    if (!m_sideReader)
        m_sideReader = std::make_unique<SideReader>(*this);
    return *m_sideReader;
}

QString DmdCoreDbs::connectionText()
{
    if (!isConnected()) {
        m_messages.internalError(10206, QStringLiteral("The database is not connected."));
        return {};
    }
    return m_connectionText;
}

void DmdCoreDbs::close()
{
    if (!isConnected()) {
        m_messages.internalError(10207, QStringLiteral("Database already disconnected:\r") +
                                            m_connectionText);
        return;
    }
    m_messages.setInternalErrorRecorder({});
    m_sideReader.reset();
    for (FbTransaction* t : {&m_tscView, &m_tscMdfy, &m_tscBatch, &m_tscDebug})
        if (t->isActive())
            t->rollback(nullptr);
    m_attachment->detach(nullptr);
    m_attachment.reset();
}

void DmdCoreDbs::refreshReads()
{
    if (m_tscView.isActive())
        m_tscView.commitRetaining(nullptr);
}

} // namespace db
