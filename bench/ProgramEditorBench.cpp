#include "core/VellixAudioProcessorEditor.h"
#include "editor/MainComp.h"
#include "support/SynthRig.h"

#include <benchmark/benchmark.h>

#include <ctime>

// The program editor at 1148 x 700 against the simulated synthesizer: opening,
// a full repaint, the repaints while idle, and draining a burst of events.
// Needs an X display (Xvfb).
namespace
{
// A settings folder of its own and a processor on the simulated synthesizer.
struct EditorRig
{
    EditorRig()
    {
        folder.createDirectory();
        setSettingsFolderOverride (folder);
        rig = std::make_unique<SynthRig>();
        rig->processor->setEditorSize (1148, 700);
    }

    ~EditorRig()
    {
        rig.reset();
        setSettingsFolderOverride ({});
        folder.deleteRecursively();
    }

    juce::File folder = juce::File::createTempFile ("bench");
    std::unique_ptr<SynthRig> rig;
};

// Set as the editor's cached image, it is told of every repaint that any
// component inside asks for, in the editor's coordinates, and paints nothing.
struct RepaintRecorder : juce::CachedComponentImage
{
    void paint (juce::Graphics&) override {}
    bool invalidateAll() override
    {
        ++requests;
        whole = true;
        return true;
    }
    bool invalidate (const juce::Rectangle<int>& area) override
    {
        ++requests;
        asked = asked.getUnion (area);
        return true;
    }
    void releaseResources() override {}

    void reset()
    {
        requests = 0;
        asked = {};
        whole = false;
    }

    int requests = 0;
    juce::Rectangle<int> asked;
    bool whole = false;
};

// The editor, visible, with a recorder of its repaints; on the display when asked.
struct RecordedEditor
{
    RecordedEditor (VellixAudioProcessor& processor, bool onScreen) : editor (processor.createEditorIfNeeded())
    {
        main = dynamic_cast<MainComp*> (editor->getChildComponent (0));
        if (onScreen)
            editor->addToDesktop (juce::ComponentPeer::windowIsTemporary);
        editor->setVisible (true);
        main->handleAsyncUpdate();
        editor->setCachedComponentImage (recorder = new RepaintRecorder());
        recorder->reset();
    }

    ~RecordedEditor() { editor.reset(); }

    std::unique_ptr<juce::AudioProcessorEditor> editor;
    MainComp* main = nullptr;
    RepaintRecorder* recorder = nullptr; // owned by the editor
};

// The processor time of the calling thread, in seconds.
double threadCpuSeconds()
{
    timespec now {};
    clock_gettime (CLOCK_THREAD_CPUTIME_ID, &now);
    return (double) now.tv_sec + (double) now.tv_nsec * 1e-9;
}

juce::Image paintAll (juce::Component& component)
{
    juce::Image image (juce::Image::RGB, component.getWidth(), component.getHeight(), false);
    juce::Graphics g (image);
    component.paintEntireComponent (g, false);
    return image;
}
} // namespace

// Construction, layout and the first paint of the program view.
static void ProgramEditor_Open (benchmark::State& state)
{
    EditorRig rig;
    auto& processor = *rig.rig->processor;

    for (auto _ : state)
    {
        std::unique_ptr<juce::AudioProcessorEditor> editor (processor.createEditorIfNeeded());
        benchmark::DoNotOptimize (paintAll (*editor));

        state.PauseTiming();
        processor.editorBeingDeleted (editor.get());
        editor.reset();
        state.ResumeTiming();
    }
}
BENCHMARK (ProgramEditor_Open)->Unit (benchmark::kMillisecond);

// Everything the window shows, painted again: the program view as a page
// switch, a resize or a received dump leaves it, after the first opening's
// about box has closed by itself, as it does two seconds in.
static void ProgramEditor_FullRepaint (benchmark::State& state)
{
    EditorRig rig;
    std::unique_ptr<juce::AudioProcessorEditor> editor (rig.rig->processor->createEditorIfNeeded());
    if (auto* main = dynamic_cast<MainComp*> (editor->getChildComponent (0)))
        main->showAbout (false);
    juce::Image image (juce::Image::RGB, editor->getWidth(), editor->getHeight(), false);
    {
        juce::Graphics g (image);
        editor->paintEntireComponent (g, false);
    }

    for (auto _ : state)
    {
        juce::Graphics g (image);
        editor->paintEntireComponent (g, false);
    }

    rig.rig->processor->editorBeingDeleted (editor.get());
}
BENCHMARK (ProgramEditor_FullRepaint)->Unit (benchmark::kMillisecond);

// A received program shown: every byte of the edit buffer new, the pages
// refreshed from it and the window painted again. Two programs take turns,
// so that every knob turns and every text changes each time.
static void ProgramEditor_RepaintAfterDump (benchmark::State& state)
{
    EditorRig rig;
    auto& hub = rig.rig->hub();
    std::unique_ptr<juce::AudioProcessorEditor> editor (rig.rig->processor->createEditorIfNeeded());
    auto* main = dynamic_cast<MainComp*> (editor->getChildComponent (0));
    main->showAbout (false);
    juce::Image image (juce::Image::RGB, editor->getWidth(), editor->getHeight(), false);
    int turn = 0;

    for (auto _ : state)
    {
        state.PauseTiming();
        turn = 1 - turn;
        for (int position = 0; position < EditorTables::kNumControls; ++position)
            hub.setEditBufferByte (position, turn == 0 ? position % 128 : 127 - position % 128);
        state.ResumeTiming();

        main->refreshAll();
        juce::Graphics g (image);
        editor->paintEntireComponent (g, false);
    }

    rig.rig->processor->editorBeingDeleted (editor.get());
}
BENCHMARK (ProgramEditor_RepaintAfterDump)->Unit (benchmark::kMillisecond);

// 1000 queued byte events: a knob sweep (one control, every value changing)
// or scattered bytes over the whole program. The area asked to repaint is
// compared with the area of the controls whose value changed.
static void ProgramEditor_Drain1000Events (benchmark::State& state)
{
    const bool sweep = state.range (0) == 0;
    EditorRig rig;
    auto& hub = rig.rig->hub();
    RecordedEditor recorded (*rig.rig->processor, false);
    auto& panel = recorded.main->getEditorPanel();
    juce::Random random (1000);
    juce::Rectangle<int> touched, asked;
    std::int64_t requests = 0;

    for (auto _ : state)
    {
        state.PauseTiming();
        recorded.recorder->reset();
        touched = {};
        for (int i = 0; i < 1000; ++i)
        {
            const int position = sweep ? 20 : random.nextInt (EditorTables::kNumRows);
            auto& control = panel.getControl (position);
            const int value = sweep ? i % 165 : random.nextInt (control.getMaximum() + 1);
            hub.postEvent (kUiProgramByteChanged, 0, position, value);
            touched = touched.getUnion (recorded.editor->getLocalArea (&control, control.getLocalBounds())
                                            .getIntersection (recorded.editor->getLocalBounds()));
        }
        state.ResumeTiming();

        recorded.main->handleAsyncUpdate();

        state.PauseTiming();
        requests += recorded.recorder->requests;
        asked = recorded.recorder->whole ? recorded.editor->getLocalBounds() : recorded.recorder->asked;
        state.ResumeTiming();
    }

    const double n = (double) state.iterations();
    state.counters["repaint_requests"] = (double) requests / n;
    state.counters["asked_px"] = (double) asked.getWidth() * asked.getHeight();
    state.counters["touched_controls_px"] = (double) touched.getWidth() * touched.getHeight();
    state.counters["asked_outside_touched"] = asked.getUnion (touched) != touched ? 1 : 0;
    state.counters["window_px"] = (double) recorded.editor->getWidth() * recorded.editor->getHeight();
}
BENCHMARK (ProgramEditor_Drain1000Events)->Arg (0)->Arg (1)->ArgNames ({ "scattered" })->Unit (benchmark::kMicrosecond);

// The editor left alone on the display with its timers running: the repaints
// it asks for, the process's processor time (the simulated synthesizer's and
// the MIDI output's threads included) and the message thread's own, where the
// editor's timers and repaints run, over a second after a settling half
// second. Before it, the same second with a bare window of the framework's in
// its place: the framework's own frame timer runs for any window (at 100 Hz
// where the display tells no refresh rate, as Xvfb does), and the difference
// is what the editor itself costs. The message loop can run only once in a
// process, so this runs once, last.
namespace
{
struct BareWindow : juce::Component
{
    void paint (juce::Graphics& g) override { g.fillAll (juce::Colours::black); }
};

// Processor time of the process and of the message thread over one stretch.
struct IdleStretch
{
    void begin()
    {
        cpuStart = std::clock();
        threadStart = threadCpuSeconds();
    }

    void end (int lengthMs)
    {
        const double seconds = lengthMs / 1000.0;
        processPercent = 100.0 * (double) (std::clock() - cpuStart) / CLOCKS_PER_SEC / seconds;
        threadPercent = 100.0 * (threadCpuSeconds() - threadStart) / seconds;
    }

    std::clock_t cpuStart = 0;
    double threadStart = 0.0, processPercent = 0.0, threadPercent = 0.0;
};
} // namespace

static void ProgramEditor_Idle (benchmark::State& state)
{
    EditorRig rig;
    constexpr int kSettleMs = 500, kIdleMs = 1000;

    for (auto _ : state)
    {
        auto bare = std::make_unique<BareWindow>();
        bare->setSize (1148, 700);
        bare->addToDesktop (juce::ComponentPeer::windowIsTemporary);
        bare->setVisible (true);

        std::unique_ptr<RecordedEditor> recorded;
        IdleStretch bareStretch, editorStretch;
        int requests = -1;
        juce::Timer::callAfterDelay (kSettleMs, [&] { bareStretch.begin(); });
        juce::Timer::callAfterDelay (kSettleMs + kIdleMs, [&] {
            bareStretch.end (kIdleMs);
            bare.reset();
            recorded = std::make_unique<RecordedEditor> (*rig.rig->processor, true);
        });
        juce::Timer::callAfterDelay (2 * kSettleMs + kIdleMs, [&] {
            recorded->recorder->reset();
            editorStretch.begin();
        });
        juce::Timer::callAfterDelay (2 * (kSettleMs + kIdleMs), [&] {
            editorStretch.end (kIdleMs);
            requests = recorded->recorder->requests;
            juce::MessageManager::getInstance()->stopDispatchLoop();
        });
        juce::MessageManager::getInstance()->runDispatchLoop();
        recorded.reset();

        state.SetIterationTime (editorStretch.processPercent * kIdleMs / 100000.0);
        state.counters["process_cpu_percent"] = editorStretch.processPercent;
        state.counters["message_thread_cpu_percent"] = editorStretch.threadPercent;
        state.counters["bare_window_cpu_percent"] = bareStretch.processPercent;
        state.counters["editor_cpu_percent"] = editorStretch.processPercent - bareStretch.processPercent;
        state.counters["repaint_requests"] = requests;
    }
}
BENCHMARK (ProgramEditor_Idle)->Iterations (1)->UseManualTime()->Unit (benchmark::kMillisecond);
