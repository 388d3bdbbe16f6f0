#pragma once

struct SServerConnection;

// How a server's refusal stands with the password.
enum class EServerPassword {
    NotTheCause,
    Missing, // the server asked for one, and none was given (none in ~/.pgpass either)
    Refused  // one was sent, and the connection still failed
};

// Asks the server again, through libpq itself, whether the password was why
// it refused: Qt's driver drops the connection that could tell, and only its
// words, in the user's language, would be left to guess from.
EServerPassword ProbeServerPassword(const SServerConnection& server);
