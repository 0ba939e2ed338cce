// The main window, its update cycle, menus, check boxes, the manual
// coordinates dialog and the help window, driven headless.
#include <QListWidget>
#include <QSignalSpy>

#include "EphemerisConstants.h"
#include "WindowFixture.h"

using C = EphemerisConstants;

TEST_F(WindowTest, StartsAt560By333WithItsControlsAndTimer) {
    Open();
    form().show();
    QCoreApplication::processEvents();
    EXPECT_EQ(form().frameGeometry().size(), QSize(560, 333));
    EXPECT_EQ(form().windowTitle(), "Brenlow Radioastronomy Group Tarnwick");
    EXPECT_EQ(form().PaintBox1->geometry(), QRect(169, 176, 189, 111));
    EXPECT_EQ(form().ListBox1->geometry(), QRect(377, 72, 163, 221));
    EXPECT_EQ(form().Button1->geometry(), QRect(13, 46, 131, 20));
    EXPECT_EQ(form().Horizont->geometry(), QRect(72, 137, 65, 13));
    EXPECT_TRUE(form().Horizont->isChecked());
    EXPECT_TRUE(form().Geostat->isChecked());
    EXPECT_EQ(form().Timer1->interval(), 10);
    EXPECT_TRUE(form().Label1->font().fixedPitch());
    EXPECT_TRUE(form().Label1->font().bold());
    EXPECT_EQ(form().Label9->text(), "Location: Tarnwick");
    const ObservationState& s = form().State;
    EXPECT_EQ(s.Kind, SourceKind::Planet);
    EXPECT_EQ(s.PlanetNumber, 0);
    EXPECT_STREQ(s.SourceName, "Sun");
    EXPECT_TRUE(s.RedrawPending);
    EXPECT_EQ(s.StepMinutes, 30);
    EXPECT_EQ(s.CurrentSecond, 65535);
    EXPECT_EQ(s.SiteLongitude, -15);
}

TEST_F(WindowTest, FirstUpdateAtTick91ThenEvery90) {
    Open();
    for (int i = 0; i < 90; ++i) form().Timer1Timer();
    EXPECT_EQ(form().Label1->text(), "Datum");
    form().Timer1Timer();  // tick 91
    EXPECT_EQ(form().Label1->text(), "Date: 10-05-2009");
    EXPECT_EQ(form().Label2->text(), "Local time: 21:13:07");
    EXPECT_EQ(form().Button1->text(), "Timezone: MEZ");
    EXPECT_EQ(form().Button3->text(), "Sourceobject: Sun");
    EXPECT_TRUE(form().Label3->text().startsWith("LST= "));
    EXPECT_TRUE(form().Label4->text().contains(QString::fromLatin1("\xB0; ELE=")));
    EXPECT_FALSE(form().State.RedrawPending);  // the first new second redrew
    EXPECT_EQ(form().ListBox1->count(), 49);
    clock.Second = 8;
    for (int i = 0; i < 89; ++i) form().Timer1Timer();
    EXPECT_EQ(form().Label2->text(), "Local time: 21:13:07");
    form().Timer1Timer();
    EXPECT_EQ(form().Label2->text(), "Local time: 21:13:08");
}

TEST_F(WindowTest, MissingConfigurationStillRuns) {
    std::filesystem::remove(File("kelvo.cfg"));
    Open();
    Update();
    EXPECT_EQ(form().Label9->text(), "Location: ");
    EXPECT_EQ(form().Button1->text(), "Timezone: UT");
}

TEST_F(WindowTest, UnknownZoneCodeIsShownAsSuch) {
    Write("kelvo.cfg", "Tarnwick\n500\n-15\n50\n1\n");
    Open();
    Update();
    EXPECT_EQ(form().Button1->text(), "Timezone:unknown");
}

TEST_F(WindowTest, SourceMenusChangeTheState) {
    Open();
    ObservationState& s = form().State;
    form().Jupiter->trigger();
    EXPECT_EQ(s.PlanetNumber, 5);
    form().CygnusA1->trigger();
    EXPECT_EQ(s.Kind, SourceKind::Fixstar);
    EXPECT_EQ(s.PlanetNumber, 5);
    EXPECT_EQ(s.SourceRa, 299.8681667 * C::DegToRad);
    EXPECT_STREQ(s.SourceName, "Cygn A");
    form().Sun->trigger();
    EXPECT_EQ(s.PlanetNumber, 0);
    form().Moon->trigger();
    EXPECT_EQ(s.Kind, SourceKind::Moon);
    EXPECT_EQ(s.PlanetNumber, 3);
    form().SagittariusA1->trigger();
    EXPECT_EQ(s.SourceDec, -28.8048772 * C::DegToRad);
    EXPECT_STREQ(s.SourceName, "Sagitt A");
    s.RedrawPending = false;
    form().MESZ->trigger();
    EXPECT_EQ(s.TimeZoneCode, -2);
    EXPECT_TRUE(s.RedrawPending);
    EXPECT_EQ(form().Object->actions().size(), 18);
    EXPECT_EQ(form().Object->actions().last()->text(), "Fixstar = individual");
    Update();
    EXPECT_EQ(form().Button1->text(), "Timezone: MESZ");
    EXPECT_EQ(form().Button3->text(), "Sourceobject: Sagitt A");
}

TEST_F(WindowTest, MenusOpenBesideTheirButtons) {
    Open();
    form().show();
    QCoreApplication::processEvents();
    form().Button3Click();
    QCoreApplication::processEvents();
    EXPECT_TRUE(form().Object->isVisible());
    const QPoint expected(form().frameGeometry().left() + 13 + 131, form().frameGeometry().top() + 74);
    EXPECT_EQ(form().Object->pos(), expected);
    form().Object->hide();
}

TEST_F(WindowTest, TimeStepTakesEffectAtTheNextNewSecond) {
    Open();
    Update();
    ASSERT_EQ(form().ListBox1->count(), 49);
    form().INC101->trigger();
    EXPECT_EQ(form().State.StepMinutes, 12);
    EXPECT_EQ(form().ListBox1->count(), 49);
    Update();  // same second: nothing happens to the chart or the table
    EXPECT_EQ(form().ListBox1->count(), 49);
    EXPECT_TRUE(form().State.RedrawPending);
    NextSecond();
    EXPECT_EQ(form().ListBox1->count(), 121);
    EXPECT_FALSE(form().State.RedrawPending);
}

TEST_F(WindowTest, HorizontTwiceRedrawsTwiceWithoutTableRebuild) {
    Open();
    Update();
    QListWidgetItem* first = form().ListBox1->item(0);
    ClickLine(24);  // a ring that only a redraw removes
    const QImage marked = form().PaintBox1->canvas().Image();
    QTest::mouseClick(form().Horizont, Qt::LeftButton, {}, QPoint(5, 6));
    EXPECT_FALSE(form().State.ShowHorizon);
    EXPECT_FALSE(form().Horizont->isChecked());
    EXPECT_NE(form().PaintBox1->canvas().Image(), marked);  // redrawn
    ClickLine(25);
    const QImage marked2 = form().PaintBox1->canvas().Image();
    QTest::mouseClick(form().Horizont, Qt::LeftButton, {}, QPoint(5, 6));
    EXPECT_TRUE(form().State.ShowHorizon);
    EXPECT_TRUE(form().Horizont->isChecked());
    EXPECT_NE(form().PaintBox1->canvas().Image(), marked2);
    EXPECT_EQ(form().ListBox1->item(0), first);  // the same table, not rebuilt
    EXPECT_EQ(form().ListBox1->count(), 49);
}


TEST_F(WindowTest, ManualDialogOpensOnCygnusAAndKeepsRoundedValues) {
    Open();
    form().CygnusA1->trigger();
    WithManualDialog(form(), [&] {
        EXPECT_EQ(Manual->Edit1->text(), "299.868");
        EXPECT_EQ(Manual->Edit2->text(), "40.734");
        EXPECT_EQ(Manual->Edit3->text(), "Cygn A");
        EXPECT_EQ(Manual->windowTitle(), "Cygn A");
    });
    const ObservationState& s = form().State;
    EXPECT_EQ(s.Kind, SourceKind::Fixstar);
    EXPECT_DOUBLE_EQ(s.SourceRa, 299.868 * C::DegToRad);
    EXPECT_DOUBLE_EQ(s.SourceDec, 40.734 * C::DegToRad);
    EXPECT_STREQ(s.SourceName, "Cygn A");
    EXPECT_TRUE(s.RedrawPending);
}

TEST_F(WindowTest, ManualDialogShowsSmallDeclinationWithLeadingBlank) {
    Open();
    WithManualDialog(form(), [&] {  // the Sun's default place after start
        EXPECT_EQ(Manual->Edit2->text(), " 1.608");
        EXPECT_EQ(Manual->Edit1->text(), "176.285");
    });
}

TEST_F(WindowTest, TypingIsLiveKeyByKey) {
    Open();
    WithManualDialog(form(), [&] {
        const double before = form().State.SourceRa;
        Manual->Edit1->clear();
        // An empty box is no right ascension: marked, the last value stays.
        EXPECT_EQ(form().State.SourceRa, before);
        EXPECT_TRUE(Manual->Edit1->property("invalid").toBool());
        std::vector<double> seen;
        QObject::connect(Manual->Edit1, &QLineEdit::textChanged,
                         [&] { seen.push_back(form().State.SourceRa / C::DegToRad); });
        QTest::keyClicks(Manual->Edit1, "83.633");
        ASSERT_EQ(seen.size(), 6u);
        EXPECT_DOUBLE_EQ(seen[0], 8.0);
        EXPECT_DOUBLE_EQ(seen[1], 83.0);
        EXPECT_DOUBLE_EQ(seen[3], 83.6);
        Manual->Edit3->setText("GRB 080319B");
        EXPECT_EQ(Manual->windowTitle(), "GRB 080319B");
        EXPECT_STREQ(form().State.SourceName, "GRB 080319B");
        const double dec = form().State.SourceDec;
        Manual->Edit2->setText("abc");  // unreadable: never read as 0
        EXPECT_EQ(form().State.SourceDec, dec);
        EXPECT_TRUE(Manual->Edit2->property("invalid").toBool());
        Manual->Edit2->setText("-05:23:28");  // sexagesimal: Orion
        EXPECT_NEAR(form().State.SourceDec / C::DegToRad, -5.3911111, 1e-7);
        EXPECT_FALSE(Manual->Edit2->property("invalid").toBool());
        Manual->close();  // the close control keeps what was typed, as OK does
    });
    EXPECT_DOUBLE_EQ(form().State.SourceRa, 83.633 * C::DegToRad);
    EXPECT_EQ(form().State.Kind, SourceKind::Fixstar);
    EXPECT_EQ(Manual->Edit1->maxLength(), 39);
}

TEST_F(WindowTest, RestoreGivesAFixedSourceNamedSunAtTheDefaultPlace) {
    Open();
    form().Jupiter->trigger();
    WithManualDialog(form(), [&] {
        Manual->Edit1->setText("10");
        Manual->BitBtn2->click();
    });
    const ObservationState& s = form().State;
    EXPECT_EQ(s.Kind, SourceKind::Fixstar);
    EXPECT_STREQ(s.SourceName, "Sun");
    EXPECT_EQ(s.SourceRa, 3.07675);
    EXPECT_EQ(s.SourceDec, 0.0280569);
    EXPECT_EQ(s.PlanetNumber, 0);
    EXPECT_EQ(Manual->result(), TManual::ResultAll);
    EXPECT_EQ(Manual->Edit1->text(), "10");  // the boxes keep their texts
}

TEST_F(WindowTest, HelpWindowSizeAndSingleInstance) {
    Open();
    form().BitBtn2Click();
    QCoreApplication::processEvents();
    ASSERT_TRUE(HelpForm->isVisible());
    EXPECT_EQ(HelpForm->frameGeometry().size(), QSize(762, 381));
    EXPECT_EQ(HelpForm->BitBtn1->y(), HelpForm->ListBox1->y() + HelpForm->ListBox1->height() + 10);
    EXPECT_EQ(HelpForm->ListBox1->count(), 37);
    EXPECT_EQ(HelpForm->ListBox1->item(12)->text(), "");
    EXPECT_EQ(HelpForm->ListBox1->item(28)->text(), " ");
    EXPECT_TRUE(HelpForm->ListBox1->item(16)->text().startsWith("     The last entry"));
    EXPECT_TRUE(HelpForm->ListBox1->item(15)->text().endsWith(".  "));
    const int windows = QApplication::topLevelWidgets().size();
    form().BitBtn2Click();
    EXPECT_EQ(QApplication::topLevelWidgets().size(), windows);
    HelpForm->BitBtn1->click();
    EXPECT_FALSE(HelpForm->isVisible());
}

TEST_F(WindowTest, AboutBoxLayout) {
    Open();
    EXPECT_EQ(AboutBox->windowTitle(), "Info");
    EXPECT_EQ(AboutBox->size(), QSize(266, 243));
    EXPECT_EQ(AboutBox->BitBtn1->geometry(), QRect(98, 213, 71, 28));
    EXPECT_EQ(AboutBox->Label6->text(), "KELVO.EXE");
    EXPECT_EQ(AboutBox->Label5->text(), "Version 3.2/09.04.2008");
    QTimer::singleShot(0, [] { AboutBox->BitBtn1->click(); });
    form().AboutButtonClick();  // modal; returns once closed
    EXPECT_FALSE(AboutBox->isVisible());
}

TEST_F(WindowTest, ExitClosesTheMainWindow) {
    Open();
    form().show();
    form().BitBtn1->click();
    EXPECT_FALSE(form().isVisible());
}

TEST_F(WindowTest, OfDateBoxMarksTheReadoutAndMovesTheSource) {
    Open();
    EXPECT_FALSE(form().OfDate->isChecked());
    EXPECT_EQ(form().OfDate->geometry(), QRect(72, 170, 70, 17));
    form().CygnusA1->trigger();
    Update();
    const QString catalogue = form().Label4->text();
    EXPECT_TRUE(form().Label6->text().startsWith("RA =19:59:28"));
    QTest::mouseClick(form().OfDate, Qt::LeftButton, {}, QPoint(5, 8));
    EXPECT_TRUE(form().State.OfDate);
    NextSecond();
    // 2009: nine years of precession and the aberration move Cyg A by 21 s
    // of right ascension (about 5 minutes of arc).
    EXPECT_EQ(form().Label6->text(), QString::fromLatin1("RAnow=19:59:49; DEC= 40.75\xB0"));
    EXPECT_NE(form().Label4->text(), catalogue);
    EXPECT_TRUE(form().Label6->toolTip().contains("place of date"));
    QTest::mouseClick(form().OfDate, Qt::LeftButton, {}, QPoint(5, 8));
    NextSecond();
    EXPECT_TRUE(form().Label6->text().startsWith("RA =19:59:28"));  // off: the catalogue place
    EXPECT_FALSE(form().Label6->toolTip().contains("place of date"));
    EXPECT_TRUE(form().Label6->toolTip().contains("Galactic l= 76.19"));
}

TEST_F(WindowTest, SixthLineOfDateAndZoneAutoInTheSiteFile) {
    Write("kelvo.cfg", "Tarnwick\n500\n-15\n50\nauto\nof-date\n");
    SetComputerZone("IST-5:30");  // a half-hour zone: UT+5:30
    Open();
    EXPECT_TRUE(form().OfDate->isChecked());
    EXPECT_TRUE(form().State.SystemZone);
    EXPECT_TRUE(form().Problems().empty());  // "auto" never differs from the computer's zone
    Update();
    EXPECT_EQ(form().Button1->text(), "Timezone: UT+5:30");
    EXPECT_TRUE(form().Label6->text().startsWith("RAnow="));
    form().MEZ->trigger();
    NextSecond();
    EXPECT_EQ(form().Button1->text(), "Timezone: MEZ");
    EXPECT_EQ(form().TimeZone->actions().size(), 4);
    form().System->trigger();
    NextSecond();
    EXPECT_EQ(form().Button1->text(), "Timezone: UT+5:30");
}
