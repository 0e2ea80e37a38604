#include <QFontInfo>
#include <QtTest>

#include "main_window/fonts.hpp"
#include "main_window/twips.hpp"

using namespace main_window;

class LayoutConversionsTest : public QObject {
    Q_OBJECT

private slots:
    void converts_twips_at_any_resolution_data();
    void converts_twips_at_any_resolution();
    void keeps_neighbours_touching();
    void scales_line_widths();
    void falls_back_to_metric_compatible_faces_data();
    void falls_back_to_metric_compatible_faces();
};

void LayoutConversionsTest::converts_twips_at_any_resolution_data()
{
    QTest::addColumn<int>("twips");
    QTest::addColumn<double>("dpi");
    QTest::addColumn<int>("pixels");
    QTest::newRow("client width at 96 dpi") << 6348 << 96.0 << 423;
    QTest::newRow("rounds to nearest") << 252 << 96.0 << 17;
    QTest::newRow("negative start of Line1") << -480 << 96.0 << -32;
    QTest::newRow("144 dpi") << 6348 << 144.0 << 635;
    QTest::newRow("192 dpi") << 3912 << 192.0 << 522;
}

void LayoutConversionsTest::converts_twips_at_any_resolution()
{
    QFETCH(int, twips);
    QFETCH(double, dpi);
    QFETCH(int, pixels);
    QCOMPARE(twips_to_pixels(twips, dpi), pixels);
}

void LayoutConversionsTest::keeps_neighbours_touching()
{
    for (double dpi : {96.0, 120.0, 144.0, 192.0}) {
        // txt_B's top edge is Shape1's bottom edge less 12 twips; rounding edges keeps that.
        const QRect shape = twips_to_pixels(120, 240, 612, 972, dpi);
        const QRect field = twips_to_pixels(120, 1200, 612, 288, dpi);
        QCOMPARE(field.left(), shape.left());
        QCOMPARE(field.width(), shape.width());
        QVERIFY(field.top() <= shape.bottom() + 1);
    }
}

void LayoutConversionsTest::scales_line_widths()
{
    QCOMPARE(design_pixels(3, 96), 3);
    QCOMPARE(design_pixels(3, 192), 6);
    QCOMPARE(design_pixels(1, 48), 1);
}

void LayoutConversionsTest::falls_back_to_metric_compatible_faces_data()
{
    QTest::addColumn<int>("face");
    QTest::addColumn<QString>("family");
    QTest::newRow("MS Sans Serif") << int(Face::SansSerif) << "Liberation Sans";
    QTest::newRow("Times New Roman") << int(Face::Serif) << "Liberation Serif";
    QTest::newRow("Courier New") << int(Face::Monospace) << "Liberation Mono";
}

void LayoutConversionsTest::falls_back_to_metric_compatible_faces()
{
    QFETCH(int, face);
    QFETCH(QString, family);
    install_font_fallbacks();
    const QFont font = make_font({Face(face), 7.8});
    QCOMPARE(QFontInfo(font).family(), family);
    QCOMPARE(font.pointSizeF(), 7.8);
}

QTEST_MAIN(LayoutConversionsTest)
#include "layout_conversions_test.moc"
