#include "editor/ProgramCategoryNames.h"

juce::String getCategoryName (int number)
{
    return juce::isPositiveAndBelow (number, kNumProgramCategories) ? juce::String (ProgramCategoryNames[number])
                                                                    : juce::String();
}

juce::PopupMenu buildCategoryMenu()
{
    juce::PopupMenu menu;
    for (int category = 0; category < kNumProgramCategories; ++category)
        menu.addItem (category + 1, getCategoryName (category));
    return menu;
}

void showCategoryMenu (juce::LookAndFeel& look, std::function<void (int category)> chosen)
{
    auto menu = buildCategoryMenu();
    menu.setLookAndFeel (&look);
    menu.showMenuAsync (juce::PopupMenu::Options(), [chosen] (int itemId) {
        if (chosen)
            chosen (itemId - 1);
    });
}

void showCategoryMenuAt (juce::Component& target, juce::LookAndFeel& look, std::function<void (int itemId)> chosen)
{
    auto menu = buildCategoryMenu();
    menu.setLookAndFeel (&look);
    menu.showMenuAsync (juce::PopupMenu::Options().withTargetComponent (&target), [chosen] (int itemId) {
        if (chosen)
            chosen (itemId);
    });
}
