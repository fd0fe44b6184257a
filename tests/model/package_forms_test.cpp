// The forms real projects use that makesis builds: each is read, written, read again into an
// equal model and written again into the same text, and what it means is kept.
#include "model/package_compare.h"
#include "model/package_reader.h"
#include "model/package_writer.h"

#include <gtest/gtest.h>

namespace tb {
namespace {

const std::u16string kHead = u"&EN,FR\n#{\"A\",\"B\"},(0xA0001200),1,0,0\n%{\"V\",\"V\"}\n:\"V\"\n";

struct Form {
    const char* name;
    std::u16string text;
    std::vector<std::string> model;   // lines of the model's description, in order
    std::vector<std::string> written; // lines of the written text, in order
};

// True when wanted are whole lines of text in this order (other lines between them).
::testing::AssertionResult InOrder(std::string text, const std::vector<std::string>& wanted) {
    std::erase(text, '\r');
    text = "\n" + text;
    size_t at = 0;
    for (const std::string& line : wanted) {
        at = text.find("\n" + line + "\n", at);
        if (at == std::string::npos)
            return ::testing::AssertionFailure() << "missing \"" << line << "\" in" << text;
        at += line.size() + 1;
    }
    return ::testing::AssertionSuccess();
}

void CheckRoundTrip(const Form& form) {
    SCOPED_TRACE(form.name);
    std::unique_ptr<Package> first;
    ASSERT_EQ(ParsePackageText(form.text, first), 0) << test::Text(form.text);
    EXPECT_TRUE(InOrder(test::Describe(*first), form.model));
    const WideText written = PackageText(*first);
    EXPECT_TRUE(InOrder(test::Text(written), form.written));
    std::unique_ptr<Package> second;
    ASSERT_EQ(ParsePackageText(written, second), 0) << test::Text(written);
    EXPECT_EQ(test::Describe(*second), test::Describe(*first));
    EXPECT_EQ(test::Text(PackageText(*second)), test::Text(written));
}

TEST(PackageForms, RoundTrips) {
    const Form forms[] = {
        {"null files, removed at uninstallation",
         kHead + u"\"\"-\"!:\\private\\A0001200\\cache.dat\",FN\n"
                 u"\"old.dat\" - \"c:\\data\\old.dat\", FILENULL\n",
         {"file  -> !:\\private\\A0001200\\cache.dat FN/RI/wait",
          "file old.dat -> c:\\data\\old.dat FN/RI/wait"},
         {"\"\" - \"!:\\private\\A0001200\\cache.dat\", FN",
          "\"old.dat\" - \"c:\\data\\old.dat\", FN"}},
        {"if, elseif, else",
         kHead + u"IF package(0x1028315F)\n\"a\"-\"!:\\a\"\n"
                 u"ELSEIF exists(\"z:\\system\\install\\Series60v5.0.sis\") AND NOT (LANGUAGE=2)\n"
                 u"\"b\"-\"!:\\b\"\nELSE\n\"c\"-\"!:\\c\"\nENDIF\n",
         {"if package(0x1028315f)", "  file a -> !:\\a FF/RI/wait",
          "elseif exists(\"z:\\system\\install\\Series60v5.0.sis\") AND NOT (LANGUAGE = 2)",
          "  file b -> !:\\b FF/RI/wait", "else", "  file c -> !:\\c FF/RI/wait"},
         {"IF package(0x1028315f)", "\t\"a\" - \"!:\\a\", FF",
          "ELSEIF exists(\"z:\\system\\install\\Series60v5.0.sis\") AND NOT (LANGUAGE = 2)", "ELSE",
          "\t\"c\" - \"!:\\c\", FF", "ENDIF"}},
        {"comparisons, parentheses and precedence",
         kHead + u"IF (LANGUAGE=1) OR appprop(0xA0001200, 5) >= 3 AND MachineUid<>0x20002D7F\n"
                 u"ENDIF\nIF NOT NOT (1 < -2 OR (3 > 4)) AND (5 <= +6 OR Pen = 007)\nENDIF\n",
         {"if (LANGUAGE = 1) OR (appprop(0xa0001200, 5) >= 3) AND (MachineUid <> 0x20002d7f)",
          "if NOT (NOT ((1 < -2) OR (3 > 4))) AND ((5 <= 6) OR (Pen = 7))"},
         {"IF (LANGUAGE = 1) OR (appprop(0xa0001200, 5) >= 3) AND (MachineUid <> 0x20002d7f)"}},
        {"nested blocks, options and guards inside branches, an empty option list",
         kHead + u"IF option1\n\"x\"-\"!:\\x\"\nENDIF\n"
                 u"IF LANGUAGE=2\n!({\"o\",\"o\"},{\"p\",\"p\"})\nIF option2\n"
                 u"IF NOT package(0x7)\n@\"s.sis\",(0x7)\nENDIF\nENDIF\n"
                 u"IF exists(\"c:\\a\") \"y\"-\"!:\\y\" ENDIF\nENDIF\n!()\n",
         {"if option1", "  file x -> !:\\x FF/RI/wait", "if LANGUAGE = 2", "  options",
          "    option o|o", "    option p|p", "      sis s.sis uid=0x7 if-missing",
          "  if exists(\"c:\\a\")", "    file y -> !:\\y FF/RI/wait", "options"},
         {"IF option1", "IF LANGUAGE = 2", "!({\"o\", \"o\"}, {\"p\", \"p\"})", "IF option2",
          "\t\tIF NOT package(0x7)", "\t\t\t@\"s.sis\", (0x7)", "\t\tENDIF", "ENDIF",
          "\tIF exists(\"c:\\a\")", "\t\t\"y\" - \"!:\\y\", FF", "\tENDIF", "ENDIF", "!()"}},
        {"a guard for another package stays a condition",
         kHead + u"IF NOT package(0x5) @\"s.sis\",(0x6) ENDIF\n"
                 u"IF NOT package(0x6) @\"s.sis\",(0x6) \"z\"-\"!:\\z\" ENDIF\n",
         {"if NOT package(0x5)", "  sis s.sis uid=0x6 always", "if NOT package(0x6)",
          "  sis s.sis uid=0x6 always", "  file z -> !:\\z FF/RI/wait"},
         {"IF NOT package(0x5)", "\t@\"s.sis\", (0x6)", "ENDIF"}},
        {"header options are kept in order, NC by the flag",
         u"&EN\n#{\"A\"},(0x1),1,0,0,SH,TYPE=SP,iu,NOCOMPRESS,RU\n",
         {"header A uid=0x1 type=1 version=1.0.0 compress=0 options=SH|iu|RU"},
         {"#{\"A\"}, (0x1), 1, 0, 0, TYPE=SP, NC, SH, iu, RU"}},
        {"vendors before the header and no languages line: English",
         u"%{\"Harbor\"}\n:\"Harbor\"\n#{\"Tide\"},(0x10205C3A),1,4,0\n\"t.app\"-\"!:\\t.app\"\n",
         {"1 ", "header Tide uid=0x10205c3a type=0 version=1.4.0 compress=1 options=",
          "vendors Harbor : Harbor"},
         {"&EN", "%{\"Harbor\"}"}},
        {"a signature line serves when the build settings name no key",
         u"&EN\n#{\"S\"},(0x1),1,0,0\n*\"keys\\dev.key\",\"keys\\dev.cer\",KEY=\"secret\"\n",
         {"signing 0 keys\\dev.cer keys\\dev.key secret"},
         {"; certificate \"keys\\dev.cer\"", "; private_key \"keys\\dev.key\"",
          "; passphrase \"secret\""}},
        {"a header alone: English; \":\" takes any token; a logo's target on the chosen drive",
         u"#{\"X\"},(0xA000017F),1,0,0,TYPE=PIPATCH\n:Vendor\n=\"l.png\",\"image/"
         u"png\",\"logo.png\"\n",
         {"1 ", "header X uid=0xa000017f type=4 version=1.0.0 compress=1 options=",
          "vendors  : Vendor", "logo 1 l.png image/png !:\\logo.png 0"},
         {}},
        {"build settings: the last of a key counts, those before the header and unknown ones not",
         u"; output_name \"early\"\n; sign_package\n" + kHead +
             u";sign_package\n; Auto_increment_version\n;PASSPHRASE \"x\"\n"
             u"; certificate \"a.cer\" ; private_key \"k0\"\n"
             u"; output_folder \"one\"\n; output_folder \"two\"\n; private_key\n\"k.key\"\n",
         {"signing 1 a.cer k.key ", "output 0 two "},
         {}},
        {"makesis has no code for 48 (its SF is Swiss French): SA is read, the number written",
         u"&EN,SA,SF\n#{\"A\",\"B\",\"C\"},(0x1),1,0,0\n",
         {"1 48 11 "},
         {"&EN,48,SF"}},
        {"but not over the build settings",
         u"&EN\n#{\"S\"},(0x1),1,0,0\n*\"a.key\",\"a.cer\"\n; certificate \"b.cer\"\n",
         {"signing 0 b.cer  "},
         {}},
    };
    for (const Form& form : forms)
        CheckRoundTrip(form);
}

// Samples of whole projects in these forms: what each keeps, and a stable text.
TEST(PackageForms, ProjectSamples) {
    const struct {
        const char* file;
        std::vector<std::string> model;
    } samples[] = {
        {"conditions.pkg",
         {"header Skyline Weather|Meteo Skyline uid=0xa0002f11 type=0 version=3.1.7 compress=1 "
          "options=SH",
          "file  -> !:\\private\\A0002F11\\forecast.cache FN/RI/wait",
          "file  -> c:\\private\\A0002F11\\settings.ini FN/RI/wait", "if package(0x1028315f)",
          "elseif (MachineUid = 0x20002d7f) OR (MachineUid = 0x2000da56)", "else",
          "if (LANGUAGE = 1) OR (appprop(0xa0002f11, 5) >= 3)",
          "  sis sis\\weatherwidget.sis uid=0x2000e5c1 if-missing",
          "if NOT package(0x20022eeb) AND exists(\"c:\\private\\A0002F11\\legacy.dat\")",
          "  dialog data\\migrate.txt name=migrate text=0"}},
        {"legacy_header.pkg",
         {"1 ", "header Tide Tables uid=0x10205c3a type=0 version=1.4.0 compress=0 options=IU|SH",
          "signing 0 ..\\keys\\harbor.cer ..\\keys\\harbor.key tide"}},
        {"many_options.pkg",
         {"  option Region 1", "    file maps\\region01.map -> e:\\maps\\region01.map FF/RI/wait",
          "  option Region 33", "    file maps\\region33.map -> e:\\maps\\region33.map FF/RI/wait",
          "  option Region 35",
          "    file maps\\region35.map -> e:\\maps\\region35.map FF/RI/wait"}},
        {"latin1_legacy.pkg",
         {"header Recettes du Caf\u00e9 uid=0xa0004c02 type=0 version=1.0.0 compress=1 options=",
          "vendors \u00c9ditions Gourmandes : \u00c9ditions Gourmandes",
          "file donn\u00e9es\\cr\u00eapes.txt -> !:\\private\\A0004C02\\cr\u00eapes.txt "
          "FF/RI/wait"}},
        {"multilingual_app.pkg",
         {"header Notes|Notes FR|Notizen uid=0xa0001234 type=0 version=2.1.37 compress=1 options=",
          "package 0x2000afde 4.6.-1~4.7.-1 Qt|Qt|Qt", "output 1 ..\\out\\ Notes.sis",
          "langdialog text\\license_English.txt|text\\license_French.txt|"
          "text\\license_German.txt name=license text=1",
          "file data\\cache.dat -> c:\\private\\a0001234\\cache.dat FN/RI/wait"}},
        {"embedded_sis.pkg",
         {"sis $(EPOCROOT)epoc32\\install\\runtime.sis uid=0x2001b2dc if-missing"}},
        {"handwritten_utf8.pkg",
         {"vendors Vendeur|Vendeur : Soci\u00e9t\u00e9 G\u00e9n\u00e9rale d'Exemple",
          "file menu.txt -> e:\\data\\Caf\u00e9\\menu.txt FF/RI/wait"}},
        {"wide_utf16le.pkg",
         {"header Wide uid=0xa0003001 type=1 version=3.0.5 compress=0 options=", "logo 0   C: 1",
          "signing 1 /home/me/keys/dev.cer /home/me/keys/dev.key secret",
          "file data\\\u03a9mega.txt -> !:\\data\\\u03a9mega.txt FF/RI/wait"}},
    };
    for (const auto& sample : samples) {
        SCOPED_TRACE(sample.file);
        const std::unique_ptr<Package> package = test::LoadSample(sample.file);
        CheckRoundTrip({sample.file, PackageText(*package), sample.model, {}});
    }
}

} // namespace
} // namespace tb
