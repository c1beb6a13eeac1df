#pragma once

#include <juce_graphics/juce_graphics.h>

#include <functional>

// The pictures of the README's guide: each view a musician meets, rendered
// from an editor at 1148 x 700 talking to the simulated synthesizer, on-line
// (the library window at its own 1000 x 620). The render tool writes them to
// docs/images; a test renders the same views to prove that each shows.
namespace GuideViews
{
// The views' names, which are their pictures' file names without ".png", in
// the guide's order.
juce::StringArray names();

// Renders every view in turn, handing each picture to `take` with its name.
// Needs the message thread and a settings folder of its own (see
// setSettingsFolderOverride). Returns what went wrong: a state that a view
// never reached, one line each; empty when nothing did.
juce::StringArray render (const std::function<void (const juce::String& name, const juce::Image& picture)>& take);
} // namespace GuideViews
