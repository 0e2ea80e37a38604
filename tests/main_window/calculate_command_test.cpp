// The Calculate command over arbitrary field texts, without a window: it
// ends with results, a refusal or a fault, and only results touch the
// result fields.
#include "main_window/calculate_command.hpp"

#include <QtTest>
#include <array>
#include <random>

#include "fake_fields.hpp"
#include "main_window/number_text.hpp"

using main_window::Field;
using main_window::Outcome;

namespace {

// Texts a user might type or paste, awkward ones included.
// clang-format off
const QString kTexts[] = {
    "", " ", "\t\n", "0", "-0", "1e39", "-1e39", "1e-39", "1,2,3", "  12 cm", "3,5", "3.5", "30", "50",
    "10", "5", "3304", "110", "-30", "1e30", "1e-30", "49500", "-49561", "165000", "165001", "abc", "€",
    "٣", "1 000", "+5", "2.5D2", "1e", "1E+", ".", "-.5", "0,0001", "99999999", "NaN", "inf", "1e400",
    QString::fromUtf8("\xF0\x9F\x98\x80"), QString(1000, u'9'),
};
// clang-format on

}  // namespace

class CalculateCommandTest : public QObject {
    Q_OBJECT

private slots:
    void ends_in_a_named_way_for_any_field_texts();
};

void CalculateCommandTest::ends_in_a_named_way_for_any_field_texts()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    std::mt19937 random(20261206);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(kTexts) - 1);
    const Field inputs[] = {Field::B,   Field::H,   Field::D1,  Field::As,
                            Field::As1, Field::Fsd, Field::Fcd, Field::Nd};
    int counts[3] = {};

    testing_support::FakeFields fields;
    section_analysis::SectionState section;
    for (int run = 0; run < 20000; ++run) {
        // Mostly a sound beam with a few awkward fields, sometimes all awkward.
        const bool all_awkward = run % 10 == 0;
        const QString sound[] = {"30", "50", "3.5", "10", "5", "3304", "110", "0"};
        for (std::size_t i = 0; i < std::size(inputs); ++i)
            fields.set_text(inputs[i], all_awkward || random() % 4 == 0 ? kTexts[pick(random)] : sound[i]);
        const QString Mu_before = fields.text(Field::Mu), Yc_before = fields.text(Field::Yc);
        const int messages_before = fields.messages;

        const Outcome outcome = main_window::cmd_Calc_Click(fields, section, Qt::white);
        ++counts[static_cast<int>(outcome)];

        if (outcome == Outcome::Computed) {
            QCOMPARE(fields.messages, messages_before);
            const double Mu = main_window::text_to_number(fields.text(Field::Mu));
            const double Yc = main_window::text_to_number(fields.text(Field::Yc));
            QVERIFY(std::isfinite(Mu) && std::isfinite(Yc));
            // What was written reads back to the same text.
            QCOMPARE(main_window::number_to_text(static_cast<float>(Mu)), fields.text(Field::Mu));
            QCOMPARE(main_window::number_to_text(static_cast<float>(Yc)), fields.text(Field::Yc));
        } else {
            QCOMPARE(fields.messages, messages_before + 1);
            QVERIFY(!fields.last_title.isEmpty() && !fields.last_text.isEmpty());
            QCOMPARE(fields.text(Field::Mu), Mu_before);
            QCOMPARE(fields.text(Field::Yc), Yc_before);
        }
    }
    qInfo("computed %d, rejected %d, faults %d", counts[0], counts[1], counts[2]);
    QVERIFY(counts[0] > 0 && counts[1] > 0 && counts[2] > 0);
}

QTEST_GUILESS_MAIN(CalculateCommandTest)
#include "calculate_command_test.moc"
