// The shipped font drawing a short text over the sky, pixel for pixel.
#include <gtest/gtest.h>

#include "gdi/picture.h"
#include "support/golden_image.h"
#include "support/source_tree.h"
#include "text/clsWord.h"

TEST(ShippedFont, DrawsTheGoldenWords) {
    clsWord word;
    word.Initialize((SourceFolder() / "data" / "fonts" / "Stompvale").string(), 0);
    const std::string text = "Stompvale\rWORDS, words: 0-9!";
    const std::unique_ptr<kivSprite3> sprite = word.CreateSprite(text);
    const std::array<int32_t, 3> info = word.TextInfo(text);
    ASSERT_EQ(sprite->Width(), info[1]);
    ASSERT_EQ(sprite->Height(), info[2]);

    // Over a sky colour, so that the golden picture also shows what is
    // transparent.
    kivSprite3 page;
    page.Initialize(false, info[1] + 8, info[2] + 8, gdi::RGB(120, 170, 230), "", -1);
    sprite->BitBlt(page.MainHDC(), nullptr, 4, 4);
    ExpectMatchesGolden(gdi::BitmapPicture(gdi::CurrentBitmap(page.MainHDC())),
                        "tests/text/golden/words.gif");
}
