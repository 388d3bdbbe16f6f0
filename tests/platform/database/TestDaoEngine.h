#pragma once

#include "platform/database/CDaoDatabase.h"

#include <QByteArray>
#include <QObject>
#include <QTemporaryDir>

#include <memory>

// Statements and criteria run on SQLite through the engine layer.
class TestDaoEngine : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();
    void criterionMeaning_data();
    void criterionMeaning();
    void orderAndGroup();
    void movingAndCount();
    void forwardOnly();
    void findAndDelete();
    void dynasetPages();
    void wallClockDates_data();
    void wallClockDates();
    void editAfterFind_data();
    void editAfterFind();
    void fieldValues();
    void rowidColumns_data();
    void rowidColumns();
    void wideKeys();
    void sqliteOwnTablesRefused_data();
    void sqliteOwnTablesRefused();
    void limitsAndTypesRefused_data();
    void limitsAndTypesRefused();
    void unknownNamesRaise_data();
    void unknownNamesRaise();

private:
    std::unique_ptr<QTemporaryDir> m_pFolder;
    QString m_strPreviousDir;
    std::unique_ptr<CDaoDatabase> m_pDb;
    QByteArray m_oldTimeZone;
    bool m_bHadTimeZone = false;
};
