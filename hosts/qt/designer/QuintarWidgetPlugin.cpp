#include "QuintarWidgetPlugin.h"

#include <QIcon>

#include "PackageIdentity.h"
#include "QuintarWidget.h"

QuintarWidgetPlugin::QuintarWidgetPlugin(QObject* parent) : QObject(parent) {}

QString QuintarWidgetPlugin::name() const { return QStringLiteral("QuintarWidget"); }

QString QuintarWidgetPlugin::group() const { return quintar::qt::palettePage(); }

QString QuintarWidgetPlugin::toolTip() const { return quintar::qt::packageDescription(); }

QString QuintarWidgetPlugin::whatsThis() const {
  return tr("A five-in-a-row board with a built-in computer opponent. Set its colours, board size, strength and "
            "switches here; connect its signals (legalMove, crossWon, ...) to slots of the form.");
}

QString QuintarWidgetPlugin::includeFile() const { return QStringLiteral("QuintarWidget.h"); }

QIcon QuintarWidgetPlugin::icon() const { return QIcon(QPixmap::fromImage(quintar::qt::paletteBitmap())); }

bool QuintarWidgetPlugin::isContainer() const { return false; }

QWidget* QuintarWidgetPlugin::createWidget(QWidget* parent) { return new QuintarWidget(parent); }

bool QuintarWidgetPlugin::isInitialized() const { return m_initialized; }

void QuintarWidgetPlugin::initialize(QDesignerFormEditorInterface*) { m_initialized = true; }

QString QuintarWidgetPlugin::domXml() const {
  return QStringLiteral(
      "<ui language=\"c++\">\n"
      " <widget class=\"QuintarWidget\" name=\"quintarWidget\">\n"
      "  <property name=\"geometry\">\n"
      "   <rect><x>0</x><y>0</y><width>200</width><height>200</height></rect>\n"
      "  </property>\n"
      " </widget>\n"
      "</ui>\n");
}
