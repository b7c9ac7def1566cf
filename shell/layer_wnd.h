// The saver as a desktop background: CLayerSet, a hidden main window, keeps one CLayerWnd on each
// output's background layer (platform: WindowBackend::GetOutputs), each with its own scene and
// render thread as a hosted window has, following the outputs as they come, change and go.
// Taking no input; ending on the close signals or when the compositor closes a layer.
#pragma once

#include "shell/hosted_wnd.h"

#include <map>
#include <memory>

class CLayerSet;

class CLayerWnd : public CHostedWnd {
public:
    CLayerWnd(CLayerSet& set, LONG number, LONG length, LONG speed);

protected:
    // Every output shows its own pipes, though the layers start in the same second.
    unsigned RandomSeed() const override;
    void PostNcDestroy() override;

    // The compositor closed the layer: the whole set ends.
    LRESULT OnClose(WPARAM wParam, LPARAM lParam);
    // The layer alone stops (its output went away): the program goes on.
    LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CLayerSet& m_set;
};

class CLayerSet : public CWnd {
public:
    CLayerSet(LONG number, LONG length, LONG speed);
    ~CLayerSet() override;

    // The hidden window, and a layer on every output there is now. FALSE when the window could
    // not be made.
    BOOL CreateLayerSet();
    // Deletes a layer whose window is gone.
    void Forget(CLayerWnd* layer);

protected:
    LRESULT OnDisplayChange(WPARAM wParam, LPARAM lParam);
    LRESULT OnClose(WPARAM wParam, LPARAM lParam);
    LRESULT OnHostReset(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // A layer for every output that has none.
    void AddMissingLayers();
    // Every layer's shut-down, then its deletion.
    void DestroyLayers();

    LONG m_nNumber, m_nLength, m_nSpeed;
    std::map<HWND, std::unique_ptr<CLayerWnd>> m_layers; // by output
};
