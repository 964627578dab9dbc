// SPDX-FileCopyrightText: 2026 Kelvane Extras developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/nrs/nrsformat.h"

#include <QTest>
#include <limits>

class TestNrs : public QObject {
    Q_OBJECT

private slots:
    void fieldsToShownResults_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QStringList>("kqdb");
        QTest::addColumn<int>("situation");
        QTest::addColumn<QStringList>("nrf");
        const auto row = [](const char* name, const char* locale, const QStringList& kqdb,
                            int situation, const QStringList& nrf) {
            QTest::newRow(name) << QString::fromLatin1(locale) << kqdb << situation << nrf;
        };
        const QStringList shoe{"52", "104", "312", "26"};
        const QStringList poorOut{"286.000", "1.000", "0.571"},
            topOut{"173.333", "-1.333", "0.250"};
        const QStringList noTrackZone{"286.000", "-1.750", "0.571"};
        row("poor slug out", "C", shoe, 0, poorOut);
        row("rich slug to middle", "C", shoe, 1, {"170.182", "-1.273", "0.286"});
        row("rich slug to top", "C", shoe, 2, topOut);
        row("poor slug out ignores track zone", "C", {"999", "104", "312", "26"}, 0, poorOut);
        row("rich slug to top ignores slug", "C", {"52", "104", "312", "999"}, 2, topOut);
        row("letters count as 0", "C", {"abc", "104", "312", "26"}, 1, noTrackZone);
        row("beyond float range counts as 0", "C", {"1e39", "104", "312", "26"}, 1, noTrackZone);
        row("negative slug enlarges the shoe", "C", {"52", "104", "312", "-26"}, 1,
            {"176.000", "-1.385", "0.222"});
        row("play zone fills the shoe", "C", {"52", "104", "104", ""}, 2,
            {"104.000", "0.000", "∞"});
        // r is -0 and f infinite, so the correction -r * f is 0 * inf.
        row("poor slug out of a full play zone", "C", {"", "104", "104", ""}, 0,
            {"104.000", "undefined", "∞"});
        row("decimal comma", "de_DE", {"1", "2", "6", "0,5"}, 0, {"5,500", "1,000", "0,571"});

        // Where the roundings fall shows in the third decimal.
        // The exact r is -0.9625, on the boundary. The stored n is a hair above 3.98125 and carries
        // r to -0.963; r from the unrounded n would show -0.962.
        row("r from the stored n", "C", {"3", "3.5", "6.25", ""}, 1, {"3.981", "-0.963", "0.182"});
        // The numerator 239^2 * 299 = 17079179 is past 2^24: held in a float it would give 306.337.
        row("numerator kept in double", "C", {"8", "239", "312", "5"}, 1,
            {"306.336", "-0.292", "3.397"});
        // r is exactly -0.4375; float arithmetic gives -0.43749997 and would show -0.437.
        row("double arithmetic", "C", {"2.75", "3.5", "4", ""}, 1, {"3.828", "-0.438", "1.500"});
        // 2^24 + 1 has no float: the stored shoe stays 2^24 = q, so f divides by zero. Kept in
        // double, f would be 16777216.000.
        row("shoe less slug stored as float", "C", {"", "16777216", "16777216", "-1"}, 1,
            {"16777216.000", "0.000", "∞"});
    }

    void fieldsToShownResults() {
        QFETCH(QString, locale);
        QFETCH(QStringList, kqdb);
        QFETCH(int, situation);
        const QLocale userLocale(locale);
        const NrsInputs in = readNrsInputs(kqdb[0], kqdb[1], kqdb[2], kqdb[3], userLocale);
        const NrsResult result = CalcNRS(in.k, in.q, in.d, in.b, static_cast<Situation>(situation));
        QTEST(QStringList({formatNrsResult(result.n, userLocale),
                           formatNrsResult(result.r, userLocale),
                           formatNrsResult(result.f, userLocale)}),
              "nrf");
    }

    void formatsResult_data() {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<float>("value");
        QTest::addColumn<QString>("text");
        // The float 0.0025f is 0.00249999994..., the float -0.0005f is -0.000500000024...
        QTest::newRow("just below a decimal half") << "C" << 0.0025f << "0.002";
        QTest::newRow("just beyond a decimal half") << "C" << -0.0005f << "-0.001";
        QTest::newRow("negative exact half to even") << "C" << -2.0625f << "-2.062";
        QTest::newRow("largest float in full") << "C" << std::numeric_limits<float>::max()
                                               << "340282346638528859811704183484516925440.000";
        QTest::newRow("German without grouping") << "de_DE" << -12345.5f << "-12345,500";
        QTest::newRow("Swedish negative infinity")
            << "sv_SE" << -std::numeric_limits<float>::infinity() << "\u2212∞";
    }

    void formatsResult() {
        QFETCH(QString, locale);
        QFETCH(float, value);
        QTEST(formatNrsResult(value, QLocale(locale)), "text");
    }
};

QTEST_APPLESS_MAIN(TestNrs)
#include "tst_nrs.moc"
