#pragma once

#include <QObject>

// The dialect's parsing and LIKE patterns, without a database.
class TestJetSql : public QObject
{
    Q_OBJECT
private slots:
    void parseStatement_data();
    void parseStatement();
    void malformed_data();
    void malformed();
    void dateLiteral_data();
    void dateLiteral();
    void likePattern_data();
    void likePattern();
    void escapedTextMatchesItself_data();
    void escapedTextMatchesItself();
    void serverDialect();
};
