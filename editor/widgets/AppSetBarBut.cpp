#include "editor/widgets/AppSetBarBut.h"

AppSetBarBut::AppSetBarBut()
{
    setSize (kSize, kSize);
}

void AppSetBarBut::paint (juce::Graphics& g)
{
    g.setColour (juce::Colours::black);

    for (const int top : { 8, 14, 20 })
        g.fillRect (8, top, 20, 3);
}

void AppSetBarBut::mouseUp (const juce::MouseEvent&)
{
    code = kReleasedCode;
    sendChangeMessage();
}
