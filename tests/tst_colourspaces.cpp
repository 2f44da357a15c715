#include "colourspaces.h"
#include "gamutmapping.h"

#include <QtTest>

#include <cmath>

using ColourSpaces::Space;
using ColourSpaces::Triple;

Q_DECLARE_METATYPE(Space)
Q_DECLARE_METATYPE(Triple)

namespace {

bool near(const Triple &actual, const Triple &expected, double tolerance)
{
    for (std::size_t i = 0; i < 3; ++i) {
        if (!(std::fabs(actual[i] - expected[i]) <= tolerance))
            return false;
    }
    return true;
}

} // namespace

class TestColourSpaces : public QObject
{
    Q_OBJECT

private slots:
    void roundTrip_data()
    {
        QTest::addColumn<Space>("space");
        for (const char *name : {"srgb", "srgb-linear", "display-p3", "a98-rgb", "prophoto-rgb",
                 "rec2020", "xyz", "xyz-d50"})
            QTest::newRow(name) << *ColourSpaces::fromName(name);
    }

    // Values far beyond the gamut, negative ones too, come back as given.
    void roundTrip()
    {
        QFETCH(Space, space);
        const Triple values {0.3, -0.2, 1.4};
        QVERIFY(
            near(ColourSpaces::fromXyz(space, ColourSpaces::toXyz(space, values)), values, 1e-12));
        const Triple white = ColourSpaces::toXyz(space, {1, 1, 1});
        if (space != Space::XyzD65 && space != Space::XyzD50)
            QVERIFY(near(white, {0.3127 / 0.3290, 1, (1 - 0.3127 - 0.3290) / 0.3290}, 1e-4));
    }

    void nearest_data()
    {
        QTest::addColumn<Space>("from");
        QTest::addColumn<Triple>("values");
        QTest::addColumn<Triple>("expected");
        // Inside: the colour itself; beyond white and black: white and black.
        QTest::newRow("inside") << Space::Srgb << Triple {0.2, 0.5, 0.7} << Triple {0.2, 0.5, 0.7};
        QTest::newRow("beyond white")
            << Space::Rec2020 << Triple {1.2, 1.2, 1.2} << Triple {1, 1, 1};
        QTest::newRow("black") << Space::Rec2020 << Triple {0, 0, 0} << Triple {0, 0, 0};
        // Just outside the edge: clipping moves it by less than a noticeable difference.
        QTest::newRow("just outside")
            << Space::Srgb << Triple {1.001, 0.5, 0.2} << Triple {1, 0.5, 0.2};
        // Display P3's red keeps its hue by giving up chroma, where clipping would not.
        QTest::newRow("p3 red") << Space::DisplayP3 << Triple {1, 0, 0}
                                << Triple {1, 0.0445695162, 0.0459316111};
    }

    void nearest()
    {
        QFETCH(Space, from);
        QFETCH(Triple, values);
        QFETCH(Triple, expected);
        const Triple mapped = GamutMapping::nearest(Space::Srgb, ColourSpaces::toXyz(from, values));
        QVERIFY(near(mapped, expected, 1e-9));
    }
};

QTEST_APPLESS_MAIN(TestColourSpaces)
#include "tst_colourspaces.moc"
