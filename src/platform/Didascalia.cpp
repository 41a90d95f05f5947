#include "Didascalia.h"

#include <QGuiApplication>
#include <QWindow>

#ifdef Q_OS_WIN
#include <windows.h>
#elif defined(QUIRLO_XCB)
#include <cstdlib>
#include <xcb/xcb.h>
#endif

namespace quirlo {

#if defined(QUIRLO_XCB) && !defined(Q_OS_WIN)

namespace {

xcb_atom_t atomo(xcb_connection_t *c, const char *nome) {
  xcb_intern_atom_reply_t *r =
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, quint16(qstrlen(nome)), nome), nullptr);
  const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
  std::free(r);
  return a;
}

}  // namespace

#endif

void didascaliaVuota(QWindow *finestra) {
  if (!finestra || !finestra->title().isEmpty())
    return;
  const WId id = finestra->winId();
#ifdef Q_OS_WIN
  SetWindowTextW(reinterpret_cast<HWND>(id), L"");
#elif defined(QUIRLO_XCB)
  auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  xcb_connection_t *c = x11 && QGuiApplication::platformName() == QLatin1String("xcb") ? x11->connection() : nullptr;
  if (!c)
    return;  // another platform (offscreen, Wayland): nothing of ours to mend
  const auto finestraX = xcb_window_t(id);
  const xcb_atom_t utf8 = atomo(c, "UTF8_STRING");
  for (const char *proprieta : {"_NET_WM_NAME", "_NET_WM_ICON_NAME"})
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, finestraX, atomo(c, proprieta), utf8, 8, 0, nullptr);
  for (const xcb_atom_t proprieta : {xcb_atom_t(XCB_ATOM_WM_NAME), xcb_atom_t(XCB_ATOM_WM_ICON_NAME)})
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, finestraX, proprieta, XCB_ATOM_STRING, 8, 0, nullptr);
  xcb_flush(c);
#else
  Q_UNUSED(id);
#endif
}

}  // namespace quirlo
