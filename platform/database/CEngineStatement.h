#pragma once

#include <QByteArrayView>
#include <QtGlobal>

// One prepared statement's rows, read a row at a time, whatever engine runs
// it. Errors raise CDaoException.
class CEngineStatement
{
public:
    enum class EKind { Null, Integer, Real, Text };

    virtual ~CEngineStatement() = default;

    // True while there is a row to read.
    virtual bool Step() = 0;
    virtual EKind Kind(int nColumn) const = 0;
    virtual qint64 Integer(int nColumn) const = 0;
    virtual double Real(int nColumn) const = 0;
    // UTF-8; valid until the next Step.
    virtual QByteArrayView Text(int nColumn) const = 0;
};
