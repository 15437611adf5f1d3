#include "catalogues/fill.h"

using namespace Qt::StringLiterals;

namespace catalogues {

void fillSongList(const Catalogue &catalogue, games::ListControl &songList)
{
    songList.Clear();
    for (const std::string_view title : catalogue.songs)
        songList.AddItem(displayText(title));
    songList.setListIndex(0);
}

QString generatedSampleName(int position)
{
    return u"Sample #"_s + QString::number(position + 1);
}

void fillSampleLists(const Catalogue &catalogue, std::span<games::ListControl *const, games::SLOT_COUNT> slotLists,
                     const std::function<void()> &processPendingEvents)
{
    for (games::ListControl *list : slotLists)
        list->Clear();
    for (games::ListControl *list : slotLists) {
        if (catalogue.generatedSamples > 0) {
            for (int position = 0; position < catalogue.generatedSamples; ++position) {
                list->AddItem(generatedSampleName(position));
                if (processPendingEvents)
                    processPendingEvents();
            }
        } else {
            for (const std::string_view name : catalogue.samples)
                list->AddItem(displayText(name));
        }
    }
    for (games::ListControl *list : slotLists)
        list->setListIndex(0);
}

} // namespace catalogues
