// The two contact texts of the information panel. The names and numbers are fictitious.
#include "contact_texts.h"

namespace quenda {

const std::u16string_view kEnglishContactText =
    u"https://www.corvane.example/\r\n"
    u"TEL : +886-2-5550-1234\r\n"
    u"FAX : +886-2-5550-1235\r\n"
    u"6F, No. 88, Sec. 2, Chenbai Road\r\n"
    u"Taipei, Taiwan\r\n"
    u"\r\n"
    u"Lin Hsiao-chen\r\n"
    u"email : support@corvane.example\r\n"
    u"Mobile : +886-955-500-123\r\n";

const std::u16string_view kChineseContactText =
    u"https://www.corvane.example/\r\n"
    u"TEL : (02)5550-1234\r\n"
    u"FAX : (02)5550-1235\r\n"
    u"臺北市中山區晨柏路二段88號6樓\r\n"
    u"\r\n"
    u"林曉晨\r\n"
    u"Lin Hsiao-chen\r\n"
    u"email : support@corvane.example\r\n"
    u"Mobile : 0955-500-123\r\n";

}  // namespace quenda
