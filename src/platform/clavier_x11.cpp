// Lock indicators through XKB on an X11 session. Elsewhere (Wayland, offscreen) they cannot
// be read.

#include "platform/clavier.h"

#include <QGuiApplication>

// After Qt: the X11 headers define macros (None, Bool, Status...) that clash with Qt's names.
#include <X11/XKBlib.h>
#include <X11/Xlib.h>

namespace lanceron {

namespace {

class EtatClavierX11 final : public EtatClavier {
public:
    EtatClavierX11()
    {
        const auto* x11 =
            qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
        // Under the offscreen platform the interface exists but has no display.
        m_affichage = x11 ? x11->display() : nullptr;
        if (!m_affichage)
            return;
        m_majuscules = XInternAtom(m_affichage, "Caps Lock", True);
        m_numerique = XInternAtom(m_affichage, "Num Lock", True);
    }

    std::optional<bool> majuscules() const override { return indicateur(m_majuscules); }
    std::optional<bool> numerique() const override { return indicateur(m_numerique); }

private:
    std::optional<bool> indicateur(Atom nom) const
    {
        if (!m_affichage || nom == 0)
            return std::nullopt;
        Bool allume = False;
        if (!XkbGetNamedIndicator(m_affichage, nom, nullptr, &allume, nullptr, nullptr))
            return std::nullopt;
        return allume != False;
    }

    Display* m_affichage = nullptr;
    Atom m_majuscules = 0;
    Atom m_numerique = 0;
};

} // namespace

std::unique_ptr<EtatClavier> creerEtatClavier()
{
    return std::make_unique<EtatClavierX11>();
}

} // namespace lanceron
