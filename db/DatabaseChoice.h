#pragma once

#include "platform/database/SServerConnection.h"

#include <QStringList>
#include <optional>

class QSettings;

// Which photo database Orvala opens at start: the local Photos.mdb (no value),
// or a PostgreSQL server. Kept in the per-user settings, never with a password.

// The stored choice. Only a whole and sensible server choice is taken: a
// missing or damaged value means the local file, and a damaged one is logged.
std::optional<SServerConnection> ReadDatabaseChoice(const QSettings& settings);

// Stores the choice in place of the one before, leaving the password out.
// False when the settings could not be written.
bool WriteDatabaseChoice(QSettings& settings, const std::optional<SServerConnection>& server);

// libpq's sslmode values, weakest first.
const QStringList& SslModes();
