#include "shell/layer_wnd.h"

#include "platform/afx/app.h"

BEGIN_MESSAGE_MAP(CLayerWnd, CHostedWnd)
ON_MESSAGE(WM_CLOSE, OnClose)
ON_MESSAGE(WM_DESTROY, OnDestroy)
END_MESSAGE_MAP()

CLayerWnd::CLayerWnd(CLayerSet& set, LONG number, LONG length, LONG speed)
    : CHostedWnd(number, length, speed), m_set(set) {}

unsigned CLayerWnd::RandomSeed() const {
    return CHostedWnd::RandomSeed() ^ static_cast<unsigned>(reinterpret_cast<uintptr_t>(m_hWnd) * 40503u);
}

void CLayerWnd::PostNcDestroy() { m_set.Forget(this); }

LRESULT CLayerWnd::OnClose(WPARAM, LPARAM) {
    m_set.PostMessage(WM_CLOSE);
    return 0;
}

LRESULT CLayerWnd::OnDestroy(WPARAM, LPARAM) {
    StopAnimation();
    return Default();
}

BEGIN_MESSAGE_MAP(CLayerSet, CWnd)
ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChange)
ON_MESSAGE(WM_CLOSE, OnClose)
ON_MESSAGE(WM_HOSTRESET, OnHostReset)
END_MESSAGE_MAP()

CLayerSet::CLayerSet(LONG number, LONG length, LONG speed)
    : m_nNumber(number), m_nLength(length), m_nSpeed(speed) {}

CLayerSet::~CLayerSet() {
    // The layers' shut-down runs before the set's window goes (with the window base).
    DestroyLayers();
}

void CLayerSet::DestroyLayers() {
    auto layers = std::move(m_layers);
    for (auto& [output, layer] : layers)
        if (layer->m_hWnd) layer->DestroyWindow();
}

BOOL CLayerSet::CreateLayerSet() {
    if (!CreateEx(0, AfxRegisterWndClass(0), "", 0, 0, 0, 0, 0, nullptr, 0)) return FALSE;
    AfxGetWindowBackend().WatchOutputs(m_hWnd);
    AddMissingLayers();
    return TRUE;
}

void CLayerSet::AddMissingLayers() {
    for (HWND output : AfxGetWindowBackend().GetOutputs()) {
        if (m_layers.count(output)) continue;
        auto layer = std::make_unique<CLayerWnd>(*this, m_nNumber, m_nLength, m_nSpeed);
        // An output that cannot take a layer now is tried again at its next change.
        if (!layer->CreateHostedWindow(output)) continue;
        CLayerWnd* started = layer.get();
        m_layers[output] = std::move(layer);
        if (!started->StartAnimation()) started->DestroyWindow(); // its PostNcDestroy forgets it
    }
}

void CLayerSet::Forget(CLayerWnd* layer) {
    for (auto it = m_layers.begin(); it != m_layers.end(); ++it) {
        if (it->second.get() != layer) continue;
        m_layers.erase(it);
        return;
    }
}

LRESULT CLayerSet::OnDisplayChange(WPARAM, LPARAM) {
    AddMissingLayers();
    return 0;
}

LRESULT CLayerSet::OnClose(WPARAM, LPARAM) {
    DestroyLayers();
    DestroyWindow(); // the main window: the loop ends
    return 0;
}

LRESULT CLayerSet::OnHostReset(WPARAM, LPARAM) {
    for (auto& [output, layer] : m_layers) layer->SendMessage(WM_HOSTRESET);
    return 0;
}
