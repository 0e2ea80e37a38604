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
        QObject::connect(&poll_, &QTimer::timeout, [this] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            poll_.stop();
            seen = true;
            title = box->windowTitle();
            text = box->text();
            well_formed = box->icon() == QMessageBox::Critical && box->buttons().size() == 1;
            box->button(QMessageBox::Ok)->click();
        });
    }
    void arm() { seen = false, poll_.start(); }
    void disarm() { poll_.stop(); }

    bool seen = false, well_formed = false;
    QString title, text;

private:
    QTimer poll_;
};

struct Section {
    QString b, h, c, As, As1, fsd, fcd, Nd;
};

const Section kBeam{"30", "50", "3.5", "10", "5", "3304", "110", ""};
const QString kChecks = QStringLiteral("Mu sezioni rettangolari");

}  // namespace

Q_DECLARE_METATYPE(Section)

class Form1Test : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { message.disarm(), delete window; }

    void starts_as_the_layout_gives_it();
    void toggles_the_units_note();
    void draws_the_rule_and_the_arrows();
    void computes_the_worked_example_data();
    void computes_the_worked_example();
    void refuses_and_keeps_the_results_data();
    void refuses_and_keeps_the_results();
    void writes_and_reads_the_italian_decimal_comma();

private:
    template <class T = QWidget> T* control(const char* name) const
    {
        T* found = window->findChild<T*>(QString::fromLatin1(name));
        if (!found) qFatal("no control %s", name);
        return found;
    }
    QString text(const char* name) const { return control<QLineEdit>(name)->text(); }
    void fill(const Section& s);
    void calculate();

    Form1* window = nullptr;
    MessageCatcher message;
};

void Form1Test::init()
{
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    main_window::install_font_fallbacks();
    window = new Form1;
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

void Form1Test::fill(const Section& s)
{
    const std::pair<const char*, QString> fields[] = {
        {"txt_B", s.b},     {"txt_H", s.h},     {"txt_D1", s.c},    {"txt_As", s.As},
        {"txt_As1", s.As1}, {"txt_Fsd", s.fsd}, {"txt_Fcd", s.fcd}, {"txt_Nd", s.Nd}};
    for (const auto& [name, value] : fields)
        control<QLineEdit>(name)->setText(value);
}

void Form1Test::calculate()
{
    message.arm();
    QTest::mouseClick(control<QPushButton>("cmd_Calc"), Qt::LeftButton);
    QTest::qWait(20);
    message.disarm();
}

// Twips at the 96 dpi of the offscreen screen: 15 to a pixel, edges rounded.
void Form1Test::starts_as_the_layout_gives_it()
{
    QCOMPARE(window->windowTitle(), QStringLiteral("Momento Ultimo Sezione Rettangolare"));
    QCOMPARE(window->size(), QSize(423, 261));  // 6348 x 3912 twips
    QCOMPARE(window->minimumSize(), window->maximumSize());
    QVERIFY(!(window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(!window->windowIcon().isNull());
    QCOMPARE(window->findChildren<QLabel*>().size(), 13);
    QCOMPARE(window->findChildren<QLineEdit*>().size(), 11);

    QCOMPARE(control("txt_Nd")->geometry(), QRect(144, 160, 97, 19));  // 2160, 2400, 1452, 288
    QCOMPARE(control("Lbl_UM")->geometry(), QRect(0, 0, 425, 33));     // 6372 wide, past the client area
    // In a frame, from its outer corner: txt_B right under Shape1, same left edge and width.
    QCOMPARE(control("txt_B")->parentWidget(), control("Frame3"));
    QCOMPARE(control("txt_B")->geometry(), QRect(8, 80, 41, 19));  // 120, 1200, 612, 288
    QCOMPARE(control("Shape1")->geometry().left(), control("txt_B")->geometry().left());
    QCOMPARE(control("txt_As1")->parentWidget(), control("Frame1"));
    QCOMPARE(control<QGroupBox>("Frame2")->title(), QStringLiteral("Materiale:"));
    QCOMPARE(control<QLabel>("Label3")->text(), QStringLiteral("Copriferro c= "));
    QCOMPARE(control("txt_Nd")->toolTip(), QStringLiteral("Sforzo normle di progetto"));
    QCOMPARE(control("txt_Yc")->accessibleName(),
             QStringLiteral("Asse neutro inteso come distanza dal bordo compresso"));

    const char* initial[][2] = {{"txt_B", "b"},  {"txt_H", "h"},   {"txt_D1", "3.5"},   {"txt_D", "d"},
                                {"txt_As", "0"}, {"txt_As1", "0"}, {"txt_Fsd", "3304"}, {"txt_Fcd", "110"},
                                {"txt_Nd", ""},  {"txt_Mu", "0"},  {"txt_Yc", ""}};
    for (const auto& [name, value] : initial)
        QCOMPARE(text(name), QString::fromLatin1(value));
    QVERIFY(control<QLineEdit>("txt_D")->isReadOnly());
    const auto colour = [&](const char* name, QPalette::ColorRole role) {
        return control(name)->palette().color(role);
    };
    QCOMPARE(colour("txt_H", QPalette::Base), QColor(Qt::black));
    QCOMPARE(colour("txt_H", QPalette::Text), QColor(Qt::yellow));
    QCOMPARE(colour("txt_As", QPalette::Text), QColor(Qt::blue));
    QCOMPARE(colour("txt_Yc", QPalette::Text), QColor(Qt::red));
    QCOMPARE(colour("Lbl_UM", QPalette::WindowText), QColor(Qt::blue));
    QVERIFY(control("cmd_Calc")->font().bold());
    QVERIFY(control("txt_Yc")->font().italic());

    // Focus starts in txt_Nd and Tab follows the ranks, wrapping around.
    QCOMPARE(QApplication::focusWidget(), control("txt_Nd"));
    for (const char* name : {"txt_Mu", "txt_As1", "txt_As", "txt_Fsd", "txt_Fcd", "txt_D", "txt_D1", "txt_H",
                             "txt_B", "cmd_Calc", "txt_Yc", "Cmd_UM", "txt_Nd"}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QString::fromLatin1(name));
    }
    // Enter and Esc in a field run nothing.
    fill(kBeam);
    QTest::keyClick(control("txt_Nd"), Qt::Key_Return);
    QTest::keyClick(control("txt_Nd"), Qt::Key_Escape);
    QCOMPARE(text("txt_D"), QStringLiteral("d"));
}

void Form1Test::toggles_the_units_note()
{
    auto* button = control<QPushButton>("Cmd_UM");
    auto* note = control<QLabel>("Lbl_UM");
    QVERIFY(button->isVisible() && !note->isVisible());
    for (int round = 0; round < 3; ++round) {
        QTest::mouseClick(button, Qt::LeftButton);
        QVERIFY(note->isVisible() && !button->isVisible());
        // Anywhere in its rectangle, the blank right part included.
        QTest::mouseClick(note, Qt::LeftButton, {}, QPoint(note->width() - 30, note->height() - 3));
        QVERIFY(!note->isVisible() && button->isVisible());
    }
    QCOMPARE(note->focusPolicy(), Qt::NoFocus);
    QCOMPARE(text("txt_Mu"), QStringLiteral("0"));
}

// Painted on the window at whatever scale the test runs: the light line of
// the etched rule on the pixel row right under the dark one, and the arrow
// heads closed on their tips.
void Form1Test::draws_the_rule_and_the_arrows()
{
    const QImage image = window->grab().toImage();
    const qreal scale = image.devicePixelRatio();
    const auto pixel = [&](qreal x, int device_row) { return image.pixel(qRound(x * scale), device_row); };
    const auto row = [&](qreal y) { return static_cast<int>(qRound(y * scale)); };
    const QPalette palette = QApplication::palette();
    QCOMPARE(pixel(200, row(40)), palette.color(QPalette::Dark).rgb());      // Line1 at 600 twips
    QCOMPARE(pixel(200, row(40) + 1), palette.color(QPalette::Base).rgb());  // Line2 on the next row
    QCOMPARE(pixel(200, row(43)), palette.color(QPalette::Window).rgb());
    QCOMPARE(pixel(128, row(200)), QColor(Qt::blue).rgb());  // tip of the arrow to txt_Mu (1920, 3000)
    QCOMPARE(pixel(88, row(224)), QColor(Qt::blue).rgb());   // tip of the arrow to Yc (1320, 3360)
    QCOMPARE(pixel(126, row(198)), QColor(Qt::blue).rgb());  // upper head stroke, by the tip
}

void Form1Test::computes_the_worked_example_data()
{
    QTest::addColumn<QString>("Nd");
    QTest::addColumn<QString>("Mu");
    QTest::addColumn<QString>("Yc");
    QTest::addColumn<bool>("grey");
    QTest::newRow("pure bending") << ""
                                  << "1426430"
                                  << "7.928331" << true;
    QTest::newRow("axial force with no number counts as 0") << "senza"
                                                            << "1426430"
                                                            << "7.928331" << true;
    QTest::newRow("at the capacity b h fcd") << "165000"
                                             << "699021"
                                             << "53.5583" << false;
    QTest::newRow("tension, 0.9 of the steel") << "-44604"
                                               << "461760.8"
                                               << "-1.821201" << false;
}

void Form1Test::computes_the_worked_example()
{
    QFETCH(QString, Nd);
    QFETCH(QString, Mu);
    QFETCH(QString, Yc);
    QFETCH(bool, grey);
    Section s = kBeam;
    s.Nd = Nd;
    fill(s);
    calculate();
    QVERIFY2(!message.seen, qPrintable(message.text));
    QCOMPARE(text("txt_D"), QStringLiteral("46.5"));
    QCOMPARE(text("txt_Mu"), Mu);
    QCOMPARE(text("txt_Yc"), Yc);
    const QColor background = control("txt_Nd")->palette().color(QPalette::Base);
    QCOMPARE(background, grey ? QColor(192, 192, 192) : QApplication::palette().color(QPalette::Base));
}

// Each check in its order, with its message; the results stay as they were.
void Form1Test::refuses_and_keeps_the_results_data()
{
    QTest::addColumn<Section>("section");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");
    Section s;
    QTest::newRow("initial texts: width first") << Section{"b", "h", "3.5", "0", "0", "3304", "110", ""}
                                                << kChecks << "valore della base della sezione non corretto";
    s = kBeam, s.h = "0";
    QTest::newRow("height") << s << kChecks << "valore dell'altezza della sezione non corretto";
    s = kBeam, s.As = "0", s.As1 = "0";
    QTest::newRow("both areas zero: tension first")
        << s << kChecks << "valore dell'armatura tesa non corretto";
    s = kBeam, s.As1 = "";
    QTest::newRow("compression area") << s << kChecks << "valore dell'armatura compressa non corretto";
    s = kBeam, s.fsd = "x";
    QTest::newRow("steel strength") << s << kChecks << "valore della tensione dell'armatura non corretto";
    s = kBeam, s.fcd = "0";
    QTest::newRow("concrete strength") << s << kChecks << "valore della tensione del cls non corretto";
    s = kBeam, s.c = "0";
    QTest::newRow("cover") << s << kChecks << "valore del copriferro non corretto";
    s = kBeam, s.c = "50";
    QTest::newRow("cover equal to the height")
        << s << kChecks << "valore dell'altezza utile 'd' non corretto";
    s = kBeam, s.b = "-30";
    QTest::newRow("mended: negative width") << s << kChecks << "valore della base della sezione non corretto";
    s = kBeam, s.c = "-3.5";
    QTest::newRow("mended: negative cover") << s << kChecks << "valore del copriferro non corretto";
    s = kBeam, s.Nd = "165001";
    QTest::newRow("above the capacity") << s << "Mu Sez Ret"
                                        << "Nd > Nu = 165000";
    s = kBeam, s.Nd = "-49561";
    QTest::newRow("mended: tension beyond the steel") << s << "Mu Sez Ret"
                                                      << "Nd < -(As+As')·fsd = -49560";
    s = kBeam, s.b = "1e39";
    QTest::newRow("mended: width beyond the single range") << s << kChecks << "Errore aritmetico";
    s = kBeam, s.b = "1e30", s.h = "1e30";
    QTest::newRow("capacity overflows") << s << kChecks << "Errore aritmetico";
}

void Form1Test::refuses_and_keeps_the_results()
{
    QFETCH(Section, section);
    QFETCH(QString, title);
    QFETCH(QString, message);
    fill(kBeam);
    calculate();
    fill(section);
    calculate();
    QVERIFY(this->message.seen && this->message.well_formed);
    QCOMPARE(this->message.title, title);
    QVERIFY2(this->message.text.startsWith(message), qPrintable(this->message.text));
    QCOMPARE(text("txt_Mu"), QStringLiteral("1426430"));
    QCOMPARE(text("txt_Yc"), QStringLiteral("7.928331"));

    fill(kBeam);  // and the next click works
    control<QLineEdit>("txt_Nd")->setText("49500");
    calculate();
    QCOMPARE(text("txt_Mu"), QStringLiteral("2055640"));
}

void Form1Test::writes_and_reads_the_italian_decimal_comma()
{
    calculate();  // initial texts: d is written before any check
    QCOMPARE(text("txt_D"), QStringLiteral("-3.5"));

    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    Section s = kBeam;
    s.c = "3,5";
    fill(s);
    calculate();
    QCOMPARE(text("txt_D"), QStringLiteral("46,5"));
    QCOMPARE(window->section().D, 46.5f);  // read back through the comma
    QCOMPARE(text("txt_Yc"), QStringLiteral("7,928331"));
    s.h = "50,5";
    s.Nd = "170000";
    fill(s);
    calculate();
    QCOMPARE(message.text, QStringLiteral("Nd > Nu = 166650"));
}

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
