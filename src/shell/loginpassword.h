#pragma once

#include <QString>

namespace base {
class AppGlobals;
class Run;
} // namespace base

namespace shell {

// The CONFIG slot of the login password.
inline constexpr const char* kLoginPassword = "LOGIN_PASSWORD";

// Stored secrets are enciphered so that they do not stand in the database as plain text:
// "DV1:" followed by the hex of the UTF-8 bytes XOR-ed with a key stream of SHA-256
// blocks of the edition's secret text, ":" and the block number. It keeps a casual reader
// out, nothing more. A stored text without the prefix is taken as plain.
QString encipherSecret(const base::AppGlobals& globals, const QString& plain);
QString decipherSecret(const base::AppGlobals& globals, const QString& stored);

// Sets (or with an empty text removes) the login password of the database.
void setLoginPassword(base::Run& run, const QString& password);

// The login at start: with a password set, up to three tries; false ends the run.
bool loginPasses(base::Run& run);

} // namespace shell
