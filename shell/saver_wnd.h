// CSaverWnd: the full-screen window of the saver. It owns the render context that draws into it
// and the pipes that grow in the scene, closes on user activity, and shuts everything down in
// order when it is destroyed.
#pragma once

#include "platform/afx/oblist.h"
#include "platform/afx/wnd.h"
#include "render/render_context.h"

class CSaverWnd : public CWnd {
public:
    CSaverWnd(LONG number, LONG length, LONG speed, BOOL autoDelete);
    ~CSaverWnd() override;

    BOOL CreateSaverWindow();

    // Animation: start, scene population, pipe sets (the tick is the WM_TIMER handler).
    BOOL StartAnimation();
    BOOL BuildScene();
    void CreatePipeSet();

    // Views of the running animation for tools and tests.
    const CObList& GetPipes() const { return m_pipes; }
    LONG GetStep() const { return m_nStep; }
    CRenderContext& GetRenderContext() { return m_render; }

    // Pipes a set holds at most, whatever the Number setting: each pipe is a frame with its
    // meshes, so an absurd Number must not exhaust memory.
    static constexpr LONG kMaxPipes = 1000;
    // Growth steps a cycle takes at most before the scene restarts, for the same reason.
    static constexpr long long kMaxCycleSteps = 100000;

protected:
    // The seed of the pipes' random source; the time in seconds.
    virtual unsigned RandomSeed() const;
    // The size the pipes' bounds are fitted to: the screen's.
    virtual SIZE ViewSize() const;
    // Clears the scene and starts a new set of pipes; the caller holds the scene lock.
    void StartNewCycle();
    // The shut-down of WM_DESTROY before the quit message: rendering paused, timer killed, pipes
    // deleted, render context released.
    void StopAnimation();
    void PostNcDestroy() override;

    LRESULT OnMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT OnButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnKeyDown(WPARAM wParam, LPARAM lParam);
    LRESULT OnActivate(WPARAM wParam, LPARAM lParam);
    LRESULT OnActivateApp(WPARAM wParam, LPARAM lParam);
    LRESULT OnNcActivate(WPARAM wParam, LPARAM lParam);
    LRESULT OnSysCommand(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetCursor(WPARAM wParam, LPARAM lParam);
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam);
    LRESULT OnTimer(WPARAM wParam, LPARAM lParam);
    LRESULT OnDestroy(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    void Close() { PostMessage(WM_CLOSE); }
    // Takes every pipe out of the scene and deletes it; the caller holds the scene lock.
    void RemovePipes();
    // The pipe that grows at this tick, or null when the settings leave none to grow.
    class CPipe* PipeForStep() const;
    // Moves the step count past a pipe that can no longer grow.
    void ForfeitSteps();

    LONG m_nLighting;
    LONG m_bHard;
    LONG m_nType;
    LONG m_nPower;
    LONG m_nSpecular;
    LONG m_nBackground;
    LONG m_nMoveCount = 0;
    LONG m_nSpeed;
    LONG m_nLength;
    LONG m_nNumber;
    POINT m_ptMouse = {-1, -1};
    BOOL m_bAutoDelete;
    CObList m_pipes;
    LONG m_nStep = 0;
    UINT_PTR m_nTimer = 0;
    CRenderContext m_render;
};
