#pragma once

#include "vst2/VstAbi.h"

// A key event as the editor opcodes pass it: the character, a virtual key code
// and the modifier bits, each reduced to what the host puts in the arguments.
struct VstKeyCode
{
    std::int32_t character;
    unsigned char virt;
    unsigned char modifier;
};

// The small editor object the bases can carry. Nothing in this plug-in attaches
// one (the client answers the editor opcodes itself), but the dispatchers
// still route to it, so that a plug-in that does attach one works.
class AEffEditor
{
public:
    virtual ~AEffEditor() = default;

    virtual bool getRect (ERect** rect) = 0;
    virtual bool open (void* parentWindow) = 0;
    virtual void close() = 0;
    virtual void idle() = 0;
    virtual bool onKeyDown (VstKeyCode& keyCode) = 0;
    virtual bool onKeyUp (VstKeyCode& keyCode) = 0;
    virtual bool setKnobMode (std::int32_t mode) = 0;
};
