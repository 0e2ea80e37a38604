#include "main_window/form1.hpp"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "main_window/fonts.hpp"

using main_window::Form1;

namespace {

// Dismisses the next modal message box and remembers what it said.
class MessageCatcher {
public:
    MessageCatcher()
    {
        poll_.setInterval(5);
        QObject::connect(&poll_, &QTimer::timeout, [this] { catch_box(); });
    }

    void arm()
    {
        seen = false;
        poll_.start();
    }

    void disarm() { poll_.stop(); }

    bool seen = false;
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    qsizetype buttons = 0;

private:
    void catch_box()
    {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        poll_.stop();
        seen = true;
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttons = box->buttons().size();
        box->button(QMessageBox::Ok)->click();
    }

    QTimer poll_;
};

const QLocale kEnglish(QLocale::English, QLocale::UnitedStates);
const QLocale kItalian(QLocale::Italian, QLocale::Italy);

struct Section {
    QString b, h, c, As, As1, fsd, fcd, Nd;
};

const Section kBeam{"30", "50", "3.5", "10", "5", "3304", "110", ""};

}  // namespace

Q_DECLARE_METATYPE(Section)

class Form1Test : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void starts_with_every_control_in_place();
    void starts_with_the_focus_in_the_axial_force_and_tabs_in_order();
    void toggles_the_units_note();

    void refuses_inputs_in_order_data();
    void refuses_inputs_in_order();
    void writes_the_effective_depth_before_any_check();
    void greys_the_axial_force_field_when_it_is_zero();
    void computes_the_worked_example_data();
    void computes_the_worked_example();
    void keeps_the_results_after_a_refusal_or_a_fault_data();
    void keeps_the_results_after_a_refusal_or_a_fault();
    void writes_and_reads_the_italian_decimal_comma();

private:
    template <class T = QWidget> T* control(const char* name) const
    {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        if (!found) qFatal("no control %s", name);
        return found;
    }
    QLineEdit* edit(const char* name) const { return control<QLineEdit>(name); }
    void fill(const Section& s);
    void calculate();

    Form1* window = nullptr;
    MessageCatcher message;
};

void Form1Test::init()
{
    QLocale::setDefault(kEnglish);
    main_window::install_font_fallbacks();
    window = new Form1;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

void Form1Test::cleanup()
{
    message.disarm();
    delete window;
}

void Form1Test::fill(const Section& s)
{
    edit("txt_B")->setText(s.b);
    edit("txt_H")->setText(s.h);
    edit("txt_D1")->setText(s.c);
    edit("txt_As")->setText(s.As);
    edit("txt_As1")->setText(s.As1);
    edit("txt_Fsd")->setText(s.fsd);
    edit("txt_Fcd")->setText(s.fcd);
    edit("txt_Nd")->setText(s.Nd);
}

void Form1Test::calculate()
{
    message.arm();
    QTest::mouseClick(control<QPushButton>("cmd_Calc"), Qt::LeftButton);
    QTest::qWait(20);
    message.disarm();
}

// Twips at the 96 dpi of the offscreen screen: 15 to a pixel, edges rounded.
void Form1Test::starts_with_every_control_in_place()
{
    QCOMPARE(window->windowTitle(), QStringLiteral("Momento Ultimo Sezione Rettangolare"));
    QCOMPARE(window->size(), QSize(423, 261));  // 6348 x 3912 twips
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QVERIFY(!(window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(!window->windowIcon().isNull());
    QCOMPARE(window->findChildren<QLabel*>().size(), 13);
    QCOMPARE(window->findChildren<QGroupBox*>().size(), 3);

    QCOMPARE(control("txt_Nd")->geometry(), QRect(144, 160, 97, 19));  // 2160, 2400, 1452, 288
    QCOMPARE(control("cmd_Calc")->geometry(), QRect(8, 192, 89, 20));  // 120, 2880, 1332, 300
    QCOMPARE(control("Lbl_UM")->geometry(), QRect(0, 0, 425, 33));     // 6372 wide, past the client area
    // In a frame, from its outer corner: txt_B right under Shape1, same left edge and width.
    QCOMPARE(control("txt_B")->parentWidget(), control("Frame3"));
    QCOMPARE(control("txt_B")->geometry(), QRect(8, 80, 41, 19));  // 120, 1200, 612, 288
    QCOMPARE(control("Shape1")->geometry().left(), control("txt_B")->geometry().left());
    QCOMPARE(control("txt_As1")->parentWidget(), control("Frame1"));

    QCOMPARE(control<QGroupBox>("Frame2")->title(), QStringLiteral("Materiale:"));
    QCOMPARE(control<QLabel>("Label3")->text(), QStringLiteral("Copriferro c= "));
    QVERIFY(control<QLabel>("Label3")->alignment() & Qt::AlignRight);
    QCOMPARE(control<QPushButton>("Cmd_UM")->text(), QStringLiteral("Unità di misura"));
    QCOMPARE(edit("txt_Nd")->toolTip(), QStringLiteral("Sforzo normle di progetto"));
    QCOMPARE(edit("txt_Yc")->accessibleName(),
             QStringLiteral("Asse neutro inteso come distanza dal bordo compresso"));

    const char* texts[][2] = {{"txt_B", "b"},  {"txt_H", "h"},   {"txt_D1", "3.5"},   {"txt_D", "d"},
                              {"txt_As", "0"}, {"txt_As1", "0"}, {"txt_Fsd", "3304"}, {"txt_Fcd", "110"},
                              {"txt_Nd", ""},  {"txt_Mu", "0"},  {"txt_Yc", ""}};
    for (const auto& [name, text] : texts)
        QCOMPARE(edit(name)->text(), QString::fromLatin1(text));
    QVERIFY(edit("txt_D")->isReadOnly());

    const auto colour = [&](const char* name, QPalette::ColorRole role) {
        return control(name)->palette().color(role);
    };
    QCOMPARE(colour("txt_H", QPalette::Base), QColor(Qt::black));
    QCOMPARE(colour("txt_H", QPalette::Text), QColor(Qt::yellow));
    QCOMPARE(colour("txt_As", QPalette::Text), QColor(Qt::blue));
    QCOMPARE(colour("txt_Yc", QPalette::Text), QColor(Qt::red));
    QCOMPARE(colour("txt_Nd", QPalette::Base), QApplication::palette().color(QPalette::Base));
    QCOMPARE(colour("Lbl_UM", QPalette::WindowText), QColor(Qt::blue));
    QVERIFY(control("cmd_Calc")->font().bold());
    QVERIFY(edit("txt_Yc")->font().italic());
    QVERIFY(QFontInfo(control("Lbl_UM")->font()).fixedPitch());
}

void Form1Test::starts_with_the_focus_in_the_axial_force_and_tabs_in_order()
{
    QCOMPARE(QApplication::focusWidget(), control("txt_Nd"));
    const char* order[] = {"txt_Mu", "txt_As1", "txt_As",   "txt_Fsd", "txt_Fcd", "txt_D", "txt_D1",
                           "txt_H",  "txt_B",   "cmd_Calc", "txt_Yc",  "Cmd_UM",  "txt_Nd"};
    for (const char* name : order) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(name));
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Cmd_UM"));

    // Enter and Esc in a field run nothing.
    fill(kBeam);
    edit("txt_Nd")->setFocus();
    QTest::keyClick(edit("txt_Nd"), Qt::Key_Return);
    QTest::keyClick(edit("txt_Nd"), Qt::Key_Escape);
    QCOMPARE(edit("txt_D")->text(), QStringLiteral("d"));
}

void Form1Test::toggles_the_units_note()
{
    auto* button = control<QPushButton>("Cmd_UM");
    auto* note = control<QLabel>("Lbl_UM");
    QVERIFY(button->isVisible());
    QVERIFY(!note->isVisible());
    for (int round = 0; round < 3; ++round) {
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(note->isVisible());
        QVERIFY(!button->isVisible());
        QVERIFY(note->text().startsWith(QStringLiteral("Le Unità di misura sono libere")));
        // Anywhere in its rectangle, the blank right part included.
        QTest::mouseClick(note, Qt::LeftButton, {}, QPoint(note->width() - 30, note->height() - 3));
        QVERIFY(!note->isVisible());
        QVERIFY(button->isVisible());
    }
    QCOMPARE(edit("txt_Mu")->text(), QStringLiteral("0"));
    QCOMPARE(note->focusPolicy(), Qt::NoFocus);
}

void Form1Test::refuses_inputs_in_order_data()
{
    QTest::addColumn<Section>("section");
    QTest::addColumn<QString>("text");
    Section s = kBeam;
    QTest::newRow("initial texts: width first") << Section{"b", "h", "3.5", "0", "0", "3304", "110", ""}
                                                << "valore della base della sezione non corretto";
    s = kBeam, s.h = "0";
    QTest::newRow("height") << s << "valore dell'altezza della sezione non corretto";
    s = kBeam, s.As = "0", s.As1 = "0";
    QTest::newRow("both areas zero: tension area first") << s << "valore dell'armatura tesa non corretto";
    s = kBeam, s.As1 = "";
    QTest::newRow("compression area") << s << "valore dell'armatura compressa non corretto";
    s = kBeam, s.fsd = "x";
    QTest::newRow("steel strength") << s << "valore della tensione dell'armatura non corretto";
    s = kBeam, s.fcd = "0";
    QTest::newRow("concrete strength") << s << "valore della tensione del cls non corretto";
    s = kBeam, s.c = "0";
    QTest::newRow("cover") << s << "valore del copriferro non corretto";
    s = kBeam, s.c = "50";
    QTest::newRow("cover equal to the height") << s << "valore dell'altezza utile 'd' non corretto";
    s = kBeam, s.b = "-30";
    QTest::newRow("mended: negative width") << s << "valore della base della sezione non corretto";
    s = kBeam, s.As1 = "-5";
    QTest::newRow("mended: negative compression area") << s << "valore dell'armatura compressa non corretto";
    s = kBeam, s.c = "-3.5";
    QTest::newRow("mended: negative cover") << s << "valore del copriferro non corretto";
}

void Form1Test::refuses_inputs_in_order()
{
    QFETCH(Section, section);
    QFETCH(QString, text);
    fill(section);
    calculate();
    QVERIFY(message.seen);
    QCOMPARE(message.title, QStringLiteral("Mu sezioni rettangolari"));
    QCOMPARE(message.text, text);
    QCOMPARE(message.icon, QMessageBox::Critical);
    QCOMPARE(message.buttons, 1);
    QCOMPARE(edit("txt_Mu")->text(), QStringLiteral("0"));
    QCOMPARE(edit("txt_Yc")->text(), QString());
}

void Form1Test::writes_the_effective_depth_before_any_check()
{
    calculate();  // initial texts: b reads 0
    QCOMPARE(edit("txt_D")->text(), QStringLiteral("-3.5"));
}

void Form1Test::greys_the_axial_force_field_when_it_is_zero()
{
    const QColor light_grey(192, 192, 192);
    Section s = kBeam;
    s.Nd = "senza";  // no number: counts as 0
    fill(s);
    calculate();
    QCOMPARE(edit("txt_Nd")->palette().color(QPalette::Base), light_grey);
    QCOMPARE(edit("txt_Mu")->text(), QStringLiteral("1426430"));
    s.Nd = "1000";
    fill(s);
    calculate();
    QCOMPARE(edit("txt_Nd")->palette().color(QPalette::Base), QApplication::palette().color(QPalette::Base));
}

void Form1Test::computes_the_worked_example_data()
{
    QTest::addColumn<QString>("Nd");
    QTest::addColumn<QString>("Mu");
    QTest::addColumn<QString>("Yc");
    QTest::newRow("pure bending") << ""
                                  << "1426430"
                                  << "7.928331";
    QTest::newRow("at the capacity b h fcd") << "165000"
                                             << "699021"
                                             << "53.5583";
    QTest::newRow("tension, 0.9 of the steel") << "-44604"
                                               << "461760.8"
                                               << "-1.821201";
}

void Form1Test::computes_the_worked_example()
{
    QFETCH(QString, Nd);
    QFETCH(QString, Mu);
    QFETCH(QString, Yc);
    Section s = kBeam;
    s.Nd = Nd;
    fill(s);
    calculate();
    QVERIFY2(!message.seen, qPrintable(message.text));
    QCOMPARE(edit("txt_D")->text(), QStringLiteral("46.5"));
    QCOMPARE(edit("txt_Mu")->text(), Mu);
    QCOMPARE(edit("txt_Yc")->text(), Yc);
    QCOMPARE(window->section().D, 46.5f);
}

void Form1Test::keeps_the_results_after_a_refusal_or_a_fault_data()
{
    QTest::addColumn<Section>("section");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("starts");
    Section s = kBeam;
    s.Nd = "165001";
    QTest::newRow("above the capacity b h fcd") << s << "Mu Sez Ret"
                                                << "Nd > Nu = 165000";
    s.Nd = "-49561";
    QTest::newRow("mended: tension beyond the steel") << s << "Mu Sez Ret"
                                                      << "Nd < -(As+As')·fsd = -49560";
    s = kBeam, s.b = "1e39";
    QTest::newRow("mended: width beyond single range") << s << "Mu sezioni rettangolari"
                                                       << "Errore aritmetico";
    s = kBeam, s.b = "1e30", s.h = "1e30";
    QTest::newRow("capacity overflows") << s << "Mu sezioni rettangolari"
                                        << "Errore aritmetico";
    s = kBeam, s.b = "0";
    QTest::newRow("zero width") << s << "Mu sezioni rettangolari"
                                << "valore della base";
}

void Form1Test::keeps_the_results_after_a_refusal_or_a_fault()
{
    QFETCH(Section, section);
    QFETCH(QString, title);
    QFETCH(QString, starts);
    fill(kBeam);
    calculate();
    QCOMPARE(edit("txt_Mu")->text(), QStringLiteral("1426430"));

    fill(section);
    calculate();
    QVERIFY(message.seen);
    QCOMPARE(message.title, title);
    QVERIFY2(message.text.startsWith(starts), qPrintable(message.text));
    QCOMPARE(message.icon, QMessageBox::Critical);
    QCOMPARE(edit("txt_Mu")->text(), QStringLiteral("1426430"));
    QCOMPARE(edit("txt_Yc")->text(), QStringLiteral("7.928331"));

    fill(kBeam);  // the next click works
    edit("txt_Nd")->setText("49500");
    calculate();
    QVERIFY(!message.seen);
    QCOMPARE(edit("txt_Mu")->text(), QStringLiteral("2055640"));
}

void Form1Test::writes_and_reads_the_italian_decimal_comma()
{
    QLocale::setDefault(kItalian);
    Section s = kBeam;
    s.c = "3,5";
    fill(s);
    calculate();
    QCOMPARE(edit("txt_D")->text(), QStringLiteral("46,5"));
    QCOMPARE(window->section().D, 46.5f);  // read back through the comma
    QCOMPARE(edit("txt_Yc")->text(), QStringLiteral("7,928331"));

    s.Nd = "165001";
    fill(s);
    calculate();
    QCOMPARE(message.text, QStringLiteral("Nd > Nu = 165000"));
    s.h = "50,5";
    s.Nd = "170000";
    fill(s);
    calculate();
    QVERIFY(message.seen);
    QCOMPARE(message.text, QStringLiteral("Nd > Nu = 166650"));
}

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
