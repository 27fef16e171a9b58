#pragma once

#include <QImage>

// The background of the thesaurus window: a light page with a header band
// behind the title and the window buttons, the search field's box and the
// frame of the page panel, as Tesaurus.txt places them.
namespace ThesaurusArt {

QImage background();

} // namespace ThesaurusArt
