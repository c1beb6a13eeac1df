#include "editor/MainComp.h"

#include "editor/ProgramCategoryNames.h"

void MainComp::midiCntrStateChanged (MidiCntrState*)
{
    eventsWaiting = true;
}

void MainComp::stateCommandPosted()
{
    eventsWaiting = true;
}

void MainComp::handleAsyncUpdate()
{
    for (const auto code : hub.takeEvents())
        handleUiEvent (code);
}

void MainComp::handleUiEvent (juce::int64 code)
{
    switch (UiEventCode::type (code))
    {
        case kUiProgramByteChanged:
            // Only the low byte of each field names a position and a value.
            showProgramByte (UiEventCode::position (code) & 0xFF, UiEventCode::value (code) & 0xFF);
            break;

        case kUiHostProgramSelected:
            followCurrentPreset();
            break;

        case kUiEditBufferReplaced:
            refreshAll();
            break;

        case kUiSynthOnLine:
            appBar->getStatusLabel().setLabelText (kOnLineText);
            if (midiSetup != nullptr)
            {
                midiSetup->getStatusLabel().setLabelText (kOnLineText);
                if (auto* panel = midiSetup->getGlobalPanel())
                    panel->repaint();
            }
            break;

        case kUiGlobalReceived:
            if (midiSetup != nullptr)
                if (auto* panel = midiSetup->getGlobalPanel())
                    panel->repaintRow (UiEventCode::value (code) & 0x7F);
            break;

        case kUiSynthOffLine:
            appBar->getStatusLabel().setLabelText (kOffLineText);
            if (midiSetup != nullptr)
                midiSetup->getStatusLabel().setLabelText (kOffLineText);
            break;

        case kUiController:
        case kUiPitchBend:
            followWheels (code);
            break;

        case kUiTransferProgress:
            if (transferOverlay != nullptr)
            {
                const int bank = UiEventCode::position (code) & 0xFF, program = UiEventCode::value (code) & 0xFF;
                transferOverlay->setProgress (program, juce::String::charToString ((juce::juce_wchar) ('A' + bank)) + ":"
                                                           + juce::String (program + 1));
            }
            break;

        case kUiBankContentsChanged:
            followBankContents();
            break;

        case kUiBankTransferFinished:
            if (transferOverlay != nullptr)
                endTransfer();
            break;

        default:
            // The other events reach pages that are not built yet.
            break;
    }
}

void MainComp::refreshAll()
{
    ++refreshCount;
    editorPanel->refreshControls();
    sectionEditor->refreshShownControls();
    seqPanel->refreshFromProgram();

    const auto image = hub.getEditBufferImage();
    const int category = image[(size_t) ProgramImage::kCategoryOffset];
    programDisplay->setAll (hub.getCurrentHardwareBank(), hub.getCurrentHardwareProgram(), category,
                            ProgramImage::readName (ProgramImage::toArray (image), ProgramImage::kNameOffset),
                            getCategoryName (category));
    repaint();
}
