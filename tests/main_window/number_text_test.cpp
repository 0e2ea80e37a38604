#include "main_window/number_text.hpp"

#include <chrono>
#include <cmath>
#include <limits>
#include <random>

#include <QtTest>

using main_window::number_to_text;
using main_window::text_to_number;

class NumberTextTest : public QObject {
    Q_OBJECT

private slots:
    void reads_the_leading_number_data();
    void reads_the_leading_number();
    void writes_seven_digits_in_the_locale_data();
    void writes_seven_digits_in_the_locale();
    void writes_with_the_default_locale();
    void reads_back_what_it_wrote_data();
    void reads_back_what_it_wrote();
    void reads_a_megabyte_quickly();
};

void NumberTextTest::reads_the_leading_number_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    const double inf = std::numeric_limits<double>::infinity();
    QTest::newRow("whole number") << "30" << 30.0;
    QTest::newRow("decimal comma") << "30,5" << 30.5;
    QTest::newRow("decimal period") << "30.5" << 30.5;
    QTest::newRow("two separators stop at the second") << "1.2,5" << 1.2;
    QTest::newRow("unit after the number") << "12 cm" << 12.0;
    QTest::newRow("negative with comma") << "-3,5" << -3.5;
    QTest::newRow("initial text b") << "b" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("blanks only") << " \t\n" << 0.0;
    QTest::newRow("blanks skipped anywhere") << " 1 2\t3\n4 " << 1234.0;
    QTest::newRow("blank after the sign") << "- 5" << -5.0;
    QTest::newRow("plus sign") << "+7" << 7.0;
    QTest::newRow("two signs") << "--5" << 0.0;
    QTest::newRow("leading period") << ".5" << 0.5;
    QTest::newRow("negative leading period") << "-.25" << -0.25;
    QTest::newRow("lone period") << "." << 0.0;
    QTest::newRow("exponent E") << "1.5E3" << 1500.0;
    QTest::newRow("exponent d with sign") << "25d-1" << 2.5;
    QTest::newRow("exponent without digits") << "12e" << 12.0;
    QTest::newRow("exponent sign without digits") << "12E+" << 12.0;
    QTest::newRow("comma then exponent") << "1,5e2" << 150.0;
    QTest::newRow("three commas") << "1,2,3" << 1.2;
    QTest::newRow("negative zero") << "-0" << 0.0;
    QTest::newRow("carriage return stops") << "4\r5" << 4.0;
    QTest::newRow("hexadecimal prefix not read") << "&H10" << 0.0;
    QTest::newRow("full-width digit not read") << QString::fromUtf8("\xEF\xBC\x93") << 0.0;
    QTest::newRow("beyond single range stays large") << "1e39" << 1e39;
    QTest::newRow("beyond double range") << "1e400" << inf;
    QTest::newRow("huge exponent") << "-1e99999999999999999999" << -inf;
    QTest::newRow("underflow") << "1e-400" << 0.0;
    QTest::newRow("many leading zeros") << QString(500, u'0') + "7" << 7.0;
    QTest::newRow("fraction zeros outweighed by the exponent") << "0." + QString(400, u'0') + "1e500" << 1e99;
}

void NumberTextTest::reads_the_leading_number()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(text_to_number(text), value);
}

void NumberTextTest::writes_seven_digits_in_the_locale_data()
{
    QTest::addColumn<float>("value");
    QTest::addColumn<QString>("italian");
    QTest::addColumn<QString>("english");
    QTest::newRow("zero") << 0.0f << "0"
                          << "0";
    QTest::newRow("negative zero") << -0.0f << "0"
                                   << "0";
    QTest::newRow("effective depth") << 46.5f << "46,5"
                                     << "46.5";
    QTest::newRow("negative depth") << -3.5f << "-3,5"
                                    << "-3.5";
    QTest::newRow("no grouping") << 1234567.0f << "1234567"
                                 << "1234567";
    QTest::newRow("rounded to 7 digits") << 275221.438f << "275221,4"
                                         << "275221.4";
    QTest::newRow("too large for fixed") << 12345678.0f << "1,234568E+07"
                                         << "1.234568E+07";
    QTest::newRow("capacity") << 165000.0f << "165000"
                              << "165000";
    QTest::newRow("small fixed") << 0.0001f << "0,0001"
                                 << "0.0001";
    QTest::newRow("tiny in exponent") << 2.4e-7f << "2,4E-07"
                                      << "2.4E-07";
    QTest::newRow("largest single") << std::numeric_limits<float>::max() << "3,402823E+38"
                                    << "3.402823E+38";
}

void NumberTextTest::writes_seven_digits_in_the_locale()
{
    QFETCH(float, value);
    QFETCH(QString, italian);
    QFETCH(QString, english);
    QCOMPARE(number_to_text(value, QLocale(QLocale::Italian, QLocale::Italy)), italian);
    QCOMPARE(number_to_text(value, QLocale(QLocale::English, QLocale::UnitedStates)), english);
}

void NumberTextTest::writes_with_the_default_locale()
{
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    QCOMPARE(number_to_text(46.5f), QStringLiteral("46,5"));
    QLocale::setDefault(QLocale(QLocale::Arabic, QLocale::Egypt));
    QCOMPARE(number_to_text(46.5f), QStringLiteral("46.5"));  // its separator would not read back
    QLocale::setDefault(saved);
}

void NumberTextTest::reads_back_what_it_wrote_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::newRow("Italian") << QLocale(QLocale::Italian, QLocale::Italy);
    QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedKingdom);
    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany);
}

// What the program writes into a field reads back as the 7-digit value,
// and writing that value again gives the same text.
void NumberTextTest::reads_back_what_it_wrote()
{
    QFETCH(QLocale, locale);
    QCOMPARE(text_to_number(number_to_text(46.5f, locale)), 46.5);
    std::mt19937 random(20261206);
    std::uniform_real_distribution<float> mantissa(-10, 10);
    std::uniform_int_distribution<int> decade(-30, 30);
    for (int i = 0; i < 20000; ++i) {
        const float value = mantissa(random) * std::pow(10.0f, static_cast<float>(decade(random)));
        const QString text = number_to_text(value, locale);
        const auto read = static_cast<float>(text_to_number(text));
        QVERIFY2(std::fabs(read - value) <= 5e-7 * std::fabs(value), qPrintable(text));
        QCOMPARE(number_to_text(read, locale), text);
    }
}

void NumberTextTest::reads_a_megabyte_quickly()
{
    const QString digits = "1" + QString(1 << 20, u'0');
    const QString blanks = QString(1 << 20, u' ') + "2";
    const auto start = std::chrono::steady_clock::now();
    QCOMPARE(text_to_number(digits), std::numeric_limits<double>::infinity());
    QCOMPARE(text_to_number("0." + digits.mid(1) + "1"), 0.0);
    QCOMPARE(text_to_number(blanks), 2.0);
    QVERIFY(std::chrono::steady_clock::now() - start < std::chrono::seconds(1));
}

QTEST_GUILESS_MAIN(NumberTextTest)
#include "number_text_test.moc"
