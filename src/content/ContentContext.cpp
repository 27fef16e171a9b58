#include "content/ContentContext.h"

#include "content/ChapterTree.h"
#include "platform/Registry.h"

Registry& TContentContext::Settings() const
{
    return Store ? *Store : Registry::instance();
}

// The contents tree is also what the chapter steps walk.
IChapterTree* TContentContext::Chapters() const
{
    return ChapterTree ? ChapterTree : dynamic_cast<IChapterTree*>(Tree());
}
