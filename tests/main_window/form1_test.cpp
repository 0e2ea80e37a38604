// SPDX-License-Identifier: GPL-3.0-or-later
#include "main_window/form1.hpp"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "main_window/fonts.hpp"
#include "runs/calculation.hpp"
#include "section_inputs/section_inputs.hpp"

using main_window::Form1;
using section_analysis::FaultKind;

QString fault_message(FaultKind kind)
{
    return QString::fromStdString(runs::message_for(section_analysis::ArithmeticFault(kind)).text);
}

namespace {

struct Message {
    bool shown = false, well_formed = false;
    int room_for_title = 0;  // the box's width beyond its title in a bold title-bar face
    QString title, text;
};

using section_inputs::Input;
// The texts typed, in the window's order.
constexpr Input kOrder[] = {Input::B,   Input::H,   Input::D1,  Input::As,
                            Input::As1, Input::Fsd, Input::Fcd, Input::Nd};
using Section = std::array<QString, std::size(kOrder)>;
const Section kBeam{"30", "50", "3.5", "10", "5", "3304", "110", ""};

Section with(Section s, Input input, const QString& text)
{
    s[static_cast<std::size_t>(std::find(std::begin(kOrder), std::end(kOrder), input) - std::begin(kOrder))] =
        text;
    return s;
}

// Pixels of the two pictures that a person would see differ; -1 when their sizes do.
int differing_pixels(const QImage& seen, const QImage& expected)
{
    if (seen.size() != expected.size()) return -1;
    int count = 0;
    for (int y = 0; y < seen.height(); ++y)
        for (int x = 0; x < seen.width(); ++x)
            count += std::abs(qGray(seen.pixel(x, y)) - qGray(expected.pixel(x, y))) > 4;
    return count;
}

}  // namespace

class Form1Test : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { delete window; }

    void looks_as_the_layout_gives_it();
    void steps_through_the_focus_order();
    void toggles_the_units_note_by_clicks();
    void computes_and_refuses();
    void writes_and_reads_the_italian_decimal_comma();

private:
    template <class T = QWidget> T* control(const char* name) const { return window->findChild<T*>(name); }
    QString text(const char* name) const { return control<QLineEdit>(name)->text(); }
    void fill(const Section& s)
    {
        for (std::size_t i = 0; i < s.size(); ++i)
            control<QLineEdit>(section_inputs::entry(kOrder[i]).field)->setText(s[i]);
    }
    // Clicks "Calcola >>" and answers the message box, if one comes, as a person would.
    void calculate()
    {
        message = {};
        QTimer::singleShot(0, window, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            QFont bold = box->font();
            bold.setBold(true);
            message = {true, box->icon() == QMessageBox::Critical && box->buttons().size() == 1,
                       box->width() - QFontMetrics(bold).horizontalAdvance(box->windowTitle()),
                       box->windowTitle(), box->text()};
            box->button(QMessageBox::Ok)->click();
        });
        QTest::mouseClick(control<QPushButton>("cmd_Calc"), Qt::LeftButton);
        QCoreApplication::processEvents();
    }

    // What momento-ultimo-cli says of the same texts, an empty field left
    // out: its output, then its message.
    static QString command_line(const Section& s)
    {
        QProcess cli;
        cli.setProcessEnvironment([] {
            QProcessEnvironment english = QProcessEnvironment::systemEnvironment();
            english.insert("LC_ALL", "C.UTF-8");
            return english;
        }());
        QStringList options;
        for (std::size_t i = 0; i < s.size(); ++i)
            if (!s[i].isEmpty())
                options << QStringLiteral("--%1=%2").arg(
                    QString::fromLatin1(section_inputs::entry(kOrder[i]).option), s[i]);
        cli.start(QStringLiteral(CLI_PATH), options);
        cli.waitForFinished();
        return QString::fromUtf8(cli.readAllStandardOutput() + cli.readAllStandardError());
    }

    Form1* window = nullptr;
    Message message;
};

void Form1Test::init()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    QApplication::setCursorFlashTime(0);  // a steady caret, so every picture is alike
    main_window::install_font_fallbacks();
    window = new Form1;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

// The whole painted window, the worked example computed, against the pictures
// checked by eye: every control's place, border, colour and font, every line with its caps.
void Form1Test::looks_as_the_layout_gives_it()
{
    QCOMPARE(window->windowTitle(), QStringLiteral("Momento Ultimo Sezione Rettangolare"));
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QVERIFY(!(window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(!window->windowIcon().isNull());
    QVERIFY(control<QLineEdit>("txt_D")->isReadOnly());
    QCOMPARE(control("txt_Nd")->toolTip(), QStringLiteral("Sforzo normle di progetto"));
    fill(kBeam);
    calculate();
    control("txt_Nd")->setFocus();  // its caret shows too
    for (const int scale : {1, 2}) {
        // The units note at scale 1, its button at scale 2.
        scale == 1 ? window->Cmd_UM_Click() : window->Lbl_UM_Click();
        QImage seen(window->size() * scale, QImage::Format_RGB32);
        seen.setDevicePixelRatio(scale);
        window->render(&seen);
        const QString name = QStringLiteral("form1-scale%1.png").arg(scale);
        const QImage expected(QStringLiteral(LOOK_DIR "/") + name);
        const int differing = differing_pixels(seen, expected.convertToFormat(QImage::Format_RGB32));
        if (differing > 0) seen.save(QStringLiteral(SEEN_DIR "/seen-") + name);
        QVERIFY2(differing == 0,
                 qPrintable(QStringLiteral("%1 pixels differ from %2").arg(differing).arg(name)));
    }
}

void Form1Test::steps_through_the_focus_order()
{
    for (const char* name : {"txt_Mu", "txt_As1", "txt_As", "txt_Fsd", "txt_Fcd", "txt_D", "txt_D1", "txt_H",
                             "txt_B", "cmd_Calc", "txt_Yc", "Cmd_UM", "txt_Nd"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(name));
    }
    // Enter and Esc in a field run nothing; Enter on the focused button calculates.
    fill(kBeam);
    QTest::keyClick(control("txt_Nd"), Qt::Key_Return);
    QTest::keyClick(control("txt_Nd"), Qt::Key_Escape);
    QCOMPARE(text("txt_D"), QStringLiteral("d"));
    control("cmd_Calc")->setFocus();
    QTest::keyClick(control("cmd_Calc"), Qt::Key_Return);
    QCOMPARE(text("txt_Mu"), QStringLiteral("1426430"));
    control("Cmd_UM")->setFocus();
    QTest::keyClick(control("Cmd_UM"), Qt::Key_Enter);
    QVERIFY(control("Lbl_UM")->isVisible());
}

// Clicks where a person clicks: the button, then anywhere in the note, its blank right part too.
void Form1Test::toggles_the_units_note_by_clicks()
{
    const auto click_window_at = [this](QPoint point, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mouseClick(window->windowHandle(), button, {}, point);
    };
    auto* button = control<QPushButton>("Cmd_UM");
    auto* note = control<QLabel>("Lbl_UM");
    QVERIFY(button->isVisible() && !note->isVisible());
    for (int round = 0; round < 3; ++round) {
        click_window_at(button->geometry().center());
        QVERIFY(note->isVisible() && !button->isVisible());
        click_window_at({window->width() - 20, 3}, Qt::RightButton);
        QVERIFY(note->isVisible());
        click_window_at({window->width() - 20, 3});
        QVERIFY(!note->isVisible() && button->isVisible());
    }
    // A press on the note released off it is no click.
    click_window_at(button->geometry().center());
    QTest::mousePress(window->windowHandle(), Qt::LeftButton, {}, {window->width() - 20, 3});
    QTest::mouseRelease(window->windowHandle(), Qt::LeftButton, {},
                        {window->width() / 2, window->height() - 3});
    QVERIFY(note->isVisible());
    click_window_at({window->width() - 20, 3});
    QCOMPARE(note->focusPolicy(), Qt::NoFocus);
    QCOMPARE(text("txt_Mu"), QStringLiteral("0"));
}

void Form1Test::computes_and_refuses()
{
    // clang-format off
    // The command line says the same, but where it refuses an option that is no number.
    const QString nd_no_number = QStringLiteral("l'opzione --Nd vuole un numero, non «senza»\n");
    // clang-format off
    const std::tuple<const char*, Section, QString, QString, QString, bool, QString> computed[] = {  // d, Mu, Yc, grey, cli
        {"pure bending", kBeam, "46.5", "1426430", "7.928331", true, {}},
        {"axial force with no number counts as 0", with(kBeam, Input::Nd, "senza"), "46.5", "1426430", "7.928331", true, nd_no_number},
        {"at the capacity b h fcd", with(kBeam, Input::Nd, "165000"), "46.5", "699021", "53.5583", false, {}},
        {"tension, 0.9 of the steel", with(kBeam, Input::Nd, "-44604"), "46.5", "461760.8", "-1.821201", false, {}},
        {"metres and kN", {"0.3", "0.5", "0.035", "0.001", "0.0005", "324000", "10800", "0"}, "0.465", "139.9081", "0.07881824", true, {}},
        {"newtons and millimetres", {"300", "500", "35", "1000", "500", "324", "10.8", "1"}, "465", "1.399083E+08", "78.81842", false, {}},
    };
    // clang-format on
    for (const auto& [name, section, d, Mu, Yc, grey, cli] : computed) {
        fill(section);
        calculate();
        QVERIFY2(!message.shown, name);
        QCOMPARE(text("txt_D"), d);
        QCOMPARE(text("txt_Mu"), Mu);
        QCOMPARE(text("txt_Yc"), Yc);
        QCOMPARE(control("txt_Nd")->palette().color(QPalette::Base),
                 grey ? QColor(192, 192, 192) : QApplication::palette().color(QPalette::Base));
        const QString results = QStringLiteral("d = %1\nMu = %2\nYc = %3\n").arg(d, Mu, Yc);
        QCOMPARE(command_line(section), cli.isEmpty() ? results : cli);
    }
    // Each check in its order, with its message; the results stay as they were.
    const QString checks = QStringLiteral("Mu sezioni rettangolari"), capacity = QStringLiteral("Mu Sez Ret");
    // clang-format off
    const std::tuple<Section, QString, QString, QString> refused[] = {  // cli: where the command line refuses the option
        {{"b", "h", "3.5", "0", "0", "3304", "110", ""}, checks, "valore della base della sezione non corretto", "l'opzione -b vuole un numero, non «b»\n"},
        {with(kBeam, Input::H, "0"), checks, "valore dell'altezza della sezione non corretto", {}},
        {with(with(kBeam, Input::As, "0"), Input::As1, "0"), checks, "valore dell'armatura tesa non corretto", {}},
        {with(kBeam, Input::As1, ""), checks, "valore dell'armatura compressa non corretto", "manca l'opzione --As1\n"},
        {with(kBeam, Input::Fsd, "x"), checks, "valore della tensione dell'armatura non corretto", "l'opzione --fsd vuole un numero, non «x»\n"},
        {with(kBeam, Input::Fcd, "0"), checks, "valore della tensione del cls non corretto", {}},
        {with(kBeam, Input::D1, "0"), checks, "valore del copriferro non corretto", {}},
        {with(kBeam, Input::D1, "50"), checks, "valore dell'altezza utile 'd' non corretto", {}},
        {with(kBeam, Input::B, "-30"), checks, "valore della base della sezione non corretto", {}},  // mended
        {with(kBeam, Input::D1, "-3.5"), checks, "valore del copriferro non corretto", {}},           // mended
        {with(kBeam, Input::Nd, "165001"), capacity, "Nd > Nu = 165000", {}},
        {with(kBeam, Input::Nd, "-49561"), capacity, "Nd < -(As+As')·fsd = -49560", {}},   // mended
        {with(kBeam, Input::B, "1e39"), checks, fault_message(FaultKind::Overflow), {}},  // mended: beyond a single
        {with(with(kBeam, Input::B, "1e30"), Input::H, "1e30"), checks, fault_message(FaultKind::Overflow), {}},
    };
    // clang-format on
    for (const auto& [section, title, words, cli] : refused) {
        fill(kBeam);
        calculate();
        fill(section);
        control<QLineEdit>("txt_D")->clear();  // to see whether d is written
        calculate();
        QVERIFY2(message.shown && message.well_formed, qPrintable(words));
        QCOMPARE(message.title, title);
        QCOMPARE(message.text, words);
        const QString said = QStringLiteral("d = %1\n%2\n").arg(text("txt_D"), words).remove("d = \n");
        QCOMPARE(command_line(section), cli.isEmpty() ? said : cli);
        QVERIFY(message.room_for_title > 0);
        QCOMPARE(text("txt_Mu"), QStringLiteral("1426430"));
        QCOMPARE(text("txt_Yc"), QStringLiteral("7.928331"));
    }
}

void Form1Test::writes_and_reads_the_italian_decimal_comma()
{
    calculate();  // initial texts: d is written before any check
    QCOMPARE(text("txt_D"), QStringLiteral("-3.5"));

    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    fill(with(kBeam, Input::D1, "3,5"));
    calculate();
    QCOMPARE(text("txt_D"), QStringLiteral("46,5"));
    QCOMPARE(window->section().D, 46.5f);  // read back through the comma
    QCOMPARE(text("txt_Yc"), QStringLiteral("7,928331"));
    fill({"0,3", "0,5", "0,1", "1", "1", "1", "1,1", "1"});
    calculate();
    QCOMPARE(message.text, QStringLiteral("Nd > Nu = 0,165"));
    // The box is never narrower than its title in a bold title-bar face, with room for its buttons.
    QVERIFY2(message.room_for_title >= 4 * QFontMetrics(window->font()).height(),
             qPrintable(QString::number(message.room_for_title)));

    // Faults no section reaches still reach the user in Italian.
    QVERIFY(
        fault_message(FaultKind::InvalidOperation).startsWith("Errore aritmetico: operazione non valida"));
    QVERIFY(fault_message(FaultKind::DivisionByZero).startsWith("Errore aritmetico: divisione per zero"));
}

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
