// SPDX-License-Identifier: GPL-3.0-or-later
#include "section_input/number_text.hpp"

#include <limits>

#include <QtTest>

using section_input::number_to_text;
using section_input::text_to_number;

class NumberTextTest : public QObject {
    Q_OBJECT

private slots:
    void reads_the_leading_number();
    void writes_seven_digits_in_the_locale();
};

void NumberTextTest::reads_the_leading_number()
{
    const double inf = std::numeric_limits<double>::infinity();
    // clang-format off
    const std::pair<QString, double> rows[] = {
        {"30", 30}, {"30,5", 30.5}, {"1.2,5", 1.2}, {"12 cm", 12}, {"-3,5", -3.5}, {"b", 0}, {"", 0},
        {" 1 2\t3\n4 ", 1234}, {"- 5", -5}, {"+7", 7}, {"--5", 0}, {"-.25", -0.25}, {".", 0}, {"1.5E3", 1500},
        {"25d-1", 2.5}, {"12e", 12}, {"12E+", 12}, {"1,5e2", 150}, {"4\r5", 4}, {"&H10", 0}, {"1e39", 1e39},
        {"1e400", inf}, {"-1e99999999999999999999", -inf}, {"1e-400", 0}, {QString(500, u'0') + "7", 7},
        {"0." + QString(400, u'0') + "1e50", 0}, {"0." + QString(10, u'0') + "1e400", inf}, {"1" + QString(1 << 20, u'0'), inf},
        {QString(1 << 20, u' ') + "2", 2},
    };
    // clang-format on
    for (const auto& [text, value] : rows)
        QVERIFY2(text_to_number(text) == value, qPrintable(text.left(40)));
    // A view ends where it ends, whatever follows it in memory.
    QCOMPARE(text_to_number(QStringView(u"12;34").first(4)), 12.0);
    QCOMPARE(text_to_number(QStringView(u"1e3").first(2)), 1.0);
}

void NumberTextTest::writes_seven_digits_in_the_locale()
{
    const QLocale italian(QLocale::Italian, QLocale::Italy), english(QLocale::English, QLocale::UnitedStates);
    // clang-format off
    const std::pair<float, QString> rows[] = {
        {0.0f, "0"}, {-0.0f, "0"}, {46.5f, "46,5"}, {-3.5f, "-3,5"}, {1234567, "1234567"}, {275221.438f, "275221,4"},
        {12345678, "1,234568E+07"}, {0.0001f, "0,0001"}, {2.4e-7f, "2,4E-07"},
        {std::numeric_limits<float>::max(), "3,402823E+38"},
    };
    // clang-format on
    for (const auto& [value, text] : rows) {
        QCOMPARE(number_to_text(value, italian), text);
        QCOMPARE(number_to_text(value, english), QString(text).replace(u',', u'.'));
    }
    QLocale::setDefault(italian);
    QCOMPARE(number_to_text(46.5f), QStringLiteral("46,5"));
    QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt));
    QCOMPARE(number_to_text(46.5f), QStringLiteral("46.5"));  // its separator would not read back
}

QTEST_GUILESS_MAIN(NumberTextTest)
#include "number_text_test.moc"
