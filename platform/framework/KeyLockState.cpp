#include "platform/framework/KeyLockState.h"

#include "platform/framework/AfxIds.h"

#include <QGuiApplication>

#ifdef ORVALA_HAVE_X11
#include <X11/XKBlib.h>
#include <X11/Xlib.h>
#endif

bool IsKeyLockOn(int nIndicatorID)
{
#ifdef ORVALA_HAVE_X11
    auto* pX11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    Display* pDisplay = pX11 ? pX11->display() : nullptr;
    if (pDisplay == nullptr)
        return false;
    const char* szName = nIndicatorID == ID_INDICATOR_CAPS  ? "Caps Lock"
                         : nIndicatorID == ID_INDICATOR_NUM ? "Num Lock"
                                                            : "Scroll Lock";
    const Atom atom = XInternAtom(pDisplay, szName, True);
    Bool bOn = False;
    if (atom == None || !XkbGetNamedIndicator(pDisplay, atom, nullptr, &bOn, nullptr, nullptr))
        return false;
    return bOn;
#else
    Q_UNUSED(nIndicatorID);
    return false;
#endif
}
