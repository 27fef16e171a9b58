#include "ContentContext.h"

#include "ChapterTree.h"
#include "Registry.h"

Registry& TContentContext::Settings() const
{
    return Store ? *Store : Registry::instance();
}

// The contents tree is also what the chapter steps walk.
IChapterTree* TContentContext::Chapters() const
{
    return ChapterTree ? ChapterTree : dynamic_cast<IChapterTree*>(Tree());
}
