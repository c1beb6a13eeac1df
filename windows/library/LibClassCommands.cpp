#include "windows/library/LibClass.h"

#include "core/VellixAudioProcessor.h"

namespace
{
struct QuestionRow
{
    LibClass::Question question;
    int dialogId, kind;
    const char* message; // empty: built from the program's name
    const char* accept;  // button 1201
    const char* decline; // button 1200
    const char* cancel;  // button 1202
};

constexpr QuestionRow questionRows[] = {
    { LibClass::Question::append, 256, 5, "Append Programs?", "YES", "NO", "CANCEL" },
    { LibClass::Question::saveThenReplace, 256, 6, "Save the Current Library?", "YES", "NO", "CANCEL" },
    { LibClass::Question::saveThenClear, 768, 6, "Save Current Library?", "YES", "NO", "CANCEL" },
    { LibClass::Question::remove, 1024, 0, "", "OK", "", "CANCEL" },
    { LibClass::Question::rename, 1280, 0, "", "OK", "", "CANCEL" },
    { LibClass::Question::add, 1536, 0, "Program name:", "OK", "", "CANCEL" },
    { LibClass::Question::alreadyThere, 0, 0, "", "", "OK", "" },
};

const QuestionRow& rowOf (LibClass::Question q)
{
    return questionRows[(size_t) q];
}

// Nothing for an answer to a question this page never asks.
std::optional<LibClass::Question> questionOf (int dialogId, int kind)
{
    for (const auto& row : questionRows)
        if (row.dialogId == dialogId && row.kind == kind)
            return row.question;
    return {};
}

constexpr const char* kNoName = "Untitled";
} // namespace

int LibClass::dialogIdOf (Question q) noexcept { return rowOf (q).dialogId; }
int LibClass::kindOf (Question q) noexcept { return rowOf (q).kind; }

void LibClass::ask (Question q, const juce::String& message, const juce::String& text, int category)
{
    if (question == nullptr)
    {
        question = std::make_unique<TextInputCont>();
        addChildComponent (*question);
        question->addListener (this);
    }

    const auto& row = rowOf (q);
    const bool withText = q == Question::rename || q == Question::add;
    question->getTextField().setVisible (withText);
    question->setBounds (getLocalBounds());
    question->setVisible (true);
    question->toFront (false);
    question->setup ((message.isNotEmpty() ? message : juce::String (row.message)).trimEnd(), text, row.cancel,
                     row.accept, row.decline, withText ? category : -1, row.dialogId, row.kind);
}

void LibClass::closeQuestion()
{
    if (question != nullptr)
        question->dismiss();
}

//==============================================================================
void LibClass::libButtonClicked (LibBut*, int id)
{
    switch (id)
    {
        case kLoadId: showLoadMenu(); break;
        case kSaveId: saveLibraryAs (AfterSave::nothing); break;
        case kClearAllId:
            if (list->getModel().getLibrary().isEmpty())
                list->clearLibrary();
            else
                ask (Question::saveThenClear);
            break;
        case kApplyId: applySelectedProgram(); break;
        case kRenameId: renameSelected(); break;
        case kDeleteId: deleteSelected(); break;
        case kAddCurrentId: addCurrentProgram(); break;
        default: break; // DONE: the window hides itself
    }
    updateButtons();
}

void LibClass::showLoadMenu()
{
    juce::PopupMenu menu;
    menu.addItem (kLoadLibraryFile, "From Library File");
    menu.addItem (kLoadProgramBankFile, "From Program Bank File");
    menu.addSeparator();
    for (int bank = 0; bank < 3; ++bank)
        if (auto* b = processor.getHub().getBank (bank))
            menu.addItem (kLoadBankA + bank, b->getBankName());
    menu.addSeparator();
    menu.addItem (kLoadPresetBank, "Import from FX Preset Bank");
    menu.setLookAndFeel (&getLookAndFeel());

    juce::Component::SafePointer<LibClass> safeThis (this);
    menu.showMenuAsync (juce::PopupMenu::Options().withTargetComponent (buttons[(size_t) kLoadButton].get()),
                        [safeThis] (int itemId) {
                            if (safeThis != nullptr)
                                safeThis->handleLoadMenu (itemId);
                        });
}

void LibClass::handleLoadMenu (int itemId)
{
    juce::Component::SafePointer<LibClass> safeThis (this);
    auto whenImported = [safeThis] (bool imported) {
        if (safeThis == nullptr)
            return;
        if (imported)
            safeThis->importReady();
        safeThis->updateButtons();
    };

    if (itemId == kLoadLibraryFile)
        list->loadLibraryFileForImport (whenImported);
    else if (itemId == kLoadProgramBankFile)
        list->importProgramBankFile (whenImported);
    else if (itemId == kLoadPresetBank)
        importFromPresetBank();
    else if (auto* bank = processor.getHub().getBank (itemId - kLoadBankA))
        importFromBankCopy (*bank);
    else
        return;

    updateButtons();
}

void LibClass::importFromBankCopy (const Bank_Program& bank)
{
    // The MIDI thread may be writing a received bank: copy it whole under the
    // image lock, and sort out duplicates after.
    Bank_Program copy ({});
    {
        const juce::SpinLock::ScopedLockType sl (processor.getHub().getImageLock());
        for (int slot = 0; slot < Bank_Program::kNumPrograms; ++slot)
            copy.setProgramBlock (slot, bank.getProgramBlock (slot));
    }
    list->getModel().importFromBank (copy, Bank_Program::kNumPrograms);
    importReady();
}

void LibClass::importFromPresetBank()
{
    importFromBankCopy (processor.getHostBank());
}

void LibClass::importReady()
{
    if (list->getModel().getLibrary().isEmpty())
        list->applyImport (false);
    else
        ask (Question::append);
    updateButtons();
}

//==============================================================================
void LibClass::saveLibraryAs (AfterSave then)
{
    juce::Component::SafePointer<LibClass> safeThis (this);
    // A cancelled dialog calls back not at all, so nothing follows it.
    list->saveLibraryAs ([safeThis, then] (LibraryFile::WriteResult result) {
        if (safeThis != nullptr)
            safeThis->saveLibraryFinished (then, result);
    });
}

void LibClass::saveLibraryFinished (AfterSave then, LibraryFile::WriteResult result)
{
    updateButtons();

    // Replacing or clearing a library that did not reach its file would lose it.
    if (result != LibraryFile::WriteResult::written)
        return;

    if (then == AfterSave::replaceWithImport)
        list->applyImport (false);
    else if (then == AfterSave::clearLibrary)
        list->clearLibrary();
    updateButtons();
}

//==============================================================================
void LibClass::textMsgAccepted (int dialogId, int kind)
{
    const auto q = questionOf (dialogId, kind);
    if (! q)
        return;

    if (*q == Question::add)
    {
        addCurrentNamed (question->getText(), question->getCategory());
        closeQuestion();
        return;
    }

    closeQuestion();
    switch (*q)
    {
        case Question::append: list->applyImport (true); break;
        case Question::saveThenReplace: saveLibraryAs (AfterSave::replaceWithImport); break;
        case Question::saveThenClear: saveLibraryAs (AfterSave::clearLibrary); break;
        case Question::remove: list->deleteSelected(); break;
        case Question::rename: applyRename(); break;
        case Question::add:
        case Question::alreadyThere: break;
    }
    updateButtons();
}

void LibClass::textMsgDeclined (int dialogId, int kind)
{
    const auto q = questionOf (dialogId, kind);
    closeQuestion();

    if (q == Question::append)
        ask (Question::saveThenReplace);
    else if (q == Question::saveThenReplace)
        list->applyImport (false);
    else if (q == Question::saveThenClear)
        list->clearLibrary();
    updateButtons();
}

void LibClass::textMsgCancelled (int, int)
{
    closeQuestion();
}

//==============================================================================
void LibClass::renameSelected()
{
    if (list->getRowCount() == 0 || ! hasSelectedProgram())
        return;

    const auto& library = list->getModel().getLibrary();
    const int index = list->getSelectedLibraryIndex();
    const auto name = library.getProgramName (index);
    ask (Question::rename, "Rename " + name + ":", name, library.getCategory (index));
}

void LibClass::applyRename()
{
    if (question == nullptr || ! hasSelectedProgram())
        return;

    const auto text = question->getText();
    if (text.isEmpty())
        return;

    auto& library = list->getModel().getLibrary();
    const int index = list->getSelectedLibraryIndex();
    library.setProgramName (index, text);
    library.setCategory (index, question->getCategory());

    categorySelected (list->getFilterCategory());
    list->repaint();
}

void LibClass::deleteSelected()
{
    if (list->getRowCount() == 0 || ! hasSelectedProgram())
        return;

    ask (Question::remove, "Delete " + list->getModel().getLibrary().getProgramName (list->getSelectedLibraryIndex()) + " ?");
}

juce::String LibClass::currentProgramName() const
{
    return processor.getHostBank().getEditBufferName().trimEnd();
}

void LibClass::addCurrentProgram()
{
    const auto image = processor.getHub().getEditBufferImage();
    if (list->getModel().getLibrary().findProgram (image.data()))
    {
        ask (Question::alreadyThere, currentProgramName() + " Program already exists in the library.");
        return;
    }

    // Unsigned: a byte of 128 or more is a category the box shows empty, not a hidden box.
    const int category = image[ProgramImage::kCategoryOffset];
    ask (Question::add, {}, currentProgramName(), category);
}

void LibClass::addCurrentNamed (const juce::String& name, int category)
{
    auto image = processor.getHub().getEditBufferImage();
    image[ProgramImage::kCategoryOffset] = (juce::uint8) category;

    list->addProgram (name.isEmpty() ? juce::String (kNoName) : name, juce::MemoryBlock (image.data(), image.size()));
    updateButtons();
}
