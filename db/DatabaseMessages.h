#pragma once

#include "platform/database/SServerConnection.h"

#include <optional>

class CDao_Table;

// What the windows tell the user about the photo database: the database
// object only answers, these show its answers in message boxes.

// Connects at start, to the file or to the server chosen (asking for the
// password a server wants that ~/.pgpass does not give, again after a wrong
// one), and says once why the records can not be used, or only read, or
// that a file lies on a network file system. True when they can be used.
bool ConnectPhotoDatabase(CDao_Table& table,
                          const std::optional<SServerConnection>& server = std::nullopt);

// For every database command: true when the database is open, otherwise
// shows why not and returns false.
bool CheckDatabase(CDao_Table& table);

// The same for commands that write: also refuses, saying why, a database
// that can only be read.
bool CheckDatabaseWritable(CDao_Table& table);

// Database > Verify Database: runs the engine's quick check and says in words
// what it found. Nothing is repaired or changed.
void VerifyPhotoDatabase(CDao_Table& table);
