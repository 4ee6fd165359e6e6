// The control's published properties as Qt properties and its events as
// signals: every one is there, writes reach the control, and what the
// control holds reads back.
#include <gtest/gtest.h>

#include <QMetaMethod>
#include <QMetaProperty>

#include "Quintar.h"
#include "QuintarWidget.h"
#include "Registry.h"

namespace quintar::qt {
namespace {

// ColCount -> colCount, OnLegalMove -> legalMove.
QByteArray qtName(std::string_view published) {
  if (published.substr(0, 2) == "On") published.remove_prefix(2);
  QByteArray name(published.data(), static_cast<qsizetype>(published.size()));
  name[0] = static_cast<char>(QChar::toLower(static_cast<char32_t>(name[0])));
  return name;
}

bool inheritedFromControl(const vcl::TPropertyInfo& property) {
  for (const auto& inherited : {vcl::PublishedControlProperties(), vcl::PublishedControlEvents()})
    for (const vcl::TPropertyInfo& each : inherited)
      if (each.Name == property.Name) return true;
  return false;
}

TEST(WidgetProperties, EveryPublishedPropertyIsAQtPropertyAndEveryEventASignal) {
  const QMetaObject& meta = QuintarWidget::staticMetaObject;
  int own = 0;
  for (const vcl::TPropertyInfo& property : TQuintar::ClassInfo().Properties) {
    if (inheritedFromControl(property)) continue;
    ++own;
    const QByteArray name = qtName(property.Name);
    if (property.IsEvent()) {
      EXPECT_GE(meta.indexOfSignal(name + "()"), 0) << name.constData();
      continue;
    }
    const int index = meta.indexOfProperty(name);
    ASSERT_GE(index, 0) << name.constData();
    EXPECT_EQ(meta.property(index).isWritable(), !property.IsReadOnly()) << name.constData();
    EXPECT_TRUE(meta.property(index).isDesignable()) << name.constData();
  }
  EXPECT_EQ(own, 22);
  EXPECT_TRUE(meta.property(meta.indexOfProperty("playingStrength")).isEnumType());
}

TEST(WidgetProperties, WritesReachTheControlAndReadBack) {
  QuintarWidget board;
  const TQuintar& control = board.control();
  EXPECT_TRUE(board.setProperty("crossColor", QColor(0, 255, 0)));
  EXPECT_EQ(control.CrossColor(), vcl::clLime);
  EXPECT_TRUE(board.setProperty("color", QColor(0x12, 0x34, 0x56)));
  EXPECT_EQ(control.Color(), 0x563412);
  EXPECT_EQ(board.property("color").value<QColor>(), QColor(0x12, 0x34, 0x56));
  EXPECT_TRUE(board.setProperty("colCount", 3));
  EXPECT_EQ(control.ColCount(), 5);
  EXPECT_TRUE(board.setProperty("rowCount", 51));
  EXPECT_EQ(board.property("rowCount").toInt(), 50);
  EXPECT_TRUE(board.setProperty("playingStrength", QStringLiteral("Low")));
  EXPECT_EQ(control.PlayingStrength(), stLow);
  EXPECT_EQ(board.property("playingStrength").value<QuintarWidget::Strength>(), QuintarWidget::Low);
  for (const char* name : {"autoResponse", "clickResponse", "showHighlight", "showQuintar"}) {
    EXPECT_TRUE(board.setProperty(name, false));
    EXPECT_FALSE(board.property(name).toBool()) << name;
  }
  EXPECT_TRUE(board.setProperty("lock", true));
  EXPECT_TRUE(control.Lock());
  EXPECT_FALSE(control.AutoResponse());
  EXPECT_FALSE(control.ShowQuintar());
}

TEST(WidgetProperties, WhatTheControlHoldsReadsBack) {
  QuintarWidget board;
  board.control().SetNoughtColor(vcl::clFuchsia);
  board.control().SetPlayingStrength(stMedium);
  EXPECT_EQ(board.noughtColor(), QColor(255, 0, 255));
  EXPECT_EQ(board.playingStrength(), QuintarWidget::Medium);
}

TEST(WidgetProperties, GameOverIsReadOnlyAndFollowsTheGame) {
  QuintarWidget board;
  board.setAutoResponse(false);
  EXPECT_FALSE(board.setProperty("gameOver", true));
  EXPECT_FALSE(board.gameOver());
  for (int col = 1; col <= 4; ++col) {
    board.move(col, 1);
    board.move(col, 2);
  }
  board.move(5, 1);
  EXPECT_TRUE(board.property("gameOver").toBool());
  board.newGame();
  EXPECT_FALSE(board.gameOver());
}

TEST(WidgetProperties, AnInvalidColourIsIgnored) {
  QuintarWidget board;
  board.setCrossColor(QColor());
  EXPECT_EQ(board.control().CrossColor(), vcl::clRed);
}

}  // namespace
}  // namespace quintar::qt
