// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/commandline.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;

class TestCommandLine : public QObject {
    Q_OBJECT

private slots:
    void answer_data() {
        QTest::addColumn<QStringList>("options");
        // What the answer starts with; empty where the windows are to open.
        QTest::addColumn<QString>("start");
        const QString usage = u"Usage: kelvane-extras [options]\n"_s;
        const QString version = u"kelvane-extras "_s;
        QTest::newRow("--help") << QStringList{u"--help"_s} << usage;
        QTest::newRow("-h") << QStringList{u"-h"_s} << usage;
        QTest::newRow("--version") << QStringList{u"--version"_s} << version;
        QTest::newRow("-v") << QStringList{u"-v"_s} << version;
        QTest::newRow("among Qt's options")
            << QStringList{u"-reverse"_s, u"-name"_s, u"tavo"_s, u"--version"_s} << version;
        QTest::newRow("nothing") << QStringList{} << QString();
        // A Qt option that is one word holds the letters of ours.
        QTest::newRow("-reverse") << QStringList{u"-reverse"_s} << QString();
        // A Qt option's value is its own, even where it looks like one of ours.
        QTest::newRow("-qwindowtitle --help")
            << QStringList{u"-qwindowtitle"_s, u"--help"_s} << QString();
        QTest::newRow("unknown option and argument")
            << QStringList{u"--verbose"_s, u"sessions.csv"_s} << QString();
    }

    void answer() {
        QFETCH(QStringList, options);
        QFETCH(QString, start);
        const std::optional<QString> answer =
            commandLineAnswer(QStringList{u"kelvane-extras"_s} + options);
        QCOMPARE(answer.has_value(), !start.isEmpty());
        if (answer)
            QVERIFY2(answer->startsWith(start), qPrintable(*answer));
    }
};

QTEST_APPLESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
