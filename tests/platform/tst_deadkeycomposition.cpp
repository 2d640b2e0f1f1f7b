#include <QtTest>

#include "platform/deadkeycomposition.h"

// A dead key and the key after it type what Windows layouts make of them.
class DeadKeyCompositionTest : public QObject {
    Q_OBJECT

private slots:
    void composes_data() {
        QTest::addColumn<QString>("accent");
        QTest::addColumn<QString>("next");
        QTest::addColumn<QString>("typed");
        QTest::addRow("circumflex e") << "^"
                                      << "e" << QString::fromUtf8("ê");
        QTest::addRow("acute capital A") << QString::fromUtf8("´") << "A" << QString::fromUtf8("Á");
        QTest::addRow("grave on a") << "`"
                                    << "a" << QString::fromUtf8("à");
        QTest::addRow("German ring") << QString::fromUtf8("°") << "a" << QString::fromUtf8("å");
        QTest::addRow("caron") << QString::fromUtf8("ˇ") << "s" << QString::fromUtf8("š");
        QTest::addRow("space gives the accent") << "^"
                                                << " "
                                                << "^";
        QTest::addRow("no such letter") << "^"
                                        << "x"
                                        << "^x";
        QTest::addRow("twice") << "^"
                               << "^"
                               << "^^";
        QTest::addRow("a key that types nothing") << "^"
                                                  << ""
                                                  << "";
    }
    void composes() {
        QFETCH(QString, accent);
        QFETCH(QString, next);
        QFETCH(QString, typed);
        QCOMPARE(composeDeadKey(accent, next), typed);
    }
};

QTEST_APPLESS_MAIN(DeadKeyCompositionTest)
#include "tst_deadkeycomposition.moc"
