// signsis: -s <input> <output> <certificate> <key> [<passphrase>].
#include "tool_double.h"

#include <fcntl.h>
#include <unistd.h>

namespace double_tool {

namespace {

// What OpenSSL 3 prints when the key cannot be decrypted; the reason on the PKCS12 lines is
// "empty password" or "maybe wrong password".
std::string openSslKeyFailure(const std::string& reason) {
    const std::string id = "40A709FC127F0000:error:";
    const std::string decrypt = id + "1C800064:Provider routines:ossl_cipher_unpadblock:bad "
                                     "decrypt:../providers/implementations/ciphers/"
                                     "ciphercommon_block.c:124:\n";
    const std::string pkcs12 = id +
                               "11800074:PKCS12 routines:PKCS12_pbe_crypt_ex:pkcs12 "
                               "cipherfinal error:../crypto/pkcs12/p12_decr.c:88:" +
                               reason + "\n";
    const std::string decoder = id + "1E08010C:DECODER routines:OSSL_DECODER_from_bio:"
                                     "unsupported:../crypto/encode_decode/decoder_lib.c:103:No "
                                     "supported data to decode. ";
    const std::string tag = id + "068000A8:asn1 encoding routines:asn1_check_tlen:wrong "
                                 "tag:../crypto/asn1/tasn_dec.c:1215:\n";
    const std::string nested = id + "0688010A:asn1 encoding routines:";
    return id + "0480006C:PEM routines:get_name:no start line:../crypto/pem/pem_lib.c:760:" +
           "Expecting: CERTIFICATE\n" + decrypt + pkcs12 + decrypt + pkcs12 + decoder +
           " Input type: DER, Input structure: type-specific\n" + decoder +
           " Input type: DER, Input structure: PrivateKeyInfo\n" + decoder + "Input type: DER\n" +
           tag + nested +
           "asn1_template_noexp_d2i:nested asn1 error:../crypto/asn1/tasn_dec.c:639:\n" + tag +
           nested +
           "asn1_item_embed_d2i:nested asn1 error:../crypto/asn1/tasn_dec.c:375:"
           "Type=RSAPrivateKey\n" +
           tag + nested +
           "asn1_item_embed_d2i:nested asn1 error:../crypto/asn1/tasn_dec.c:375:"
           "Type=PKCS8_PRIV_KEY_INFO\n" +
           "Unable to load key\n";
}

// OpenSSL asks on the controlling terminal; without one it prompts on standard error and
// reads nothing. Returns false when there is no terminal.
bool askOnTerminal(std::string& answer) {
    const int tty = ::open("/dev/tty", O_RDWR | O_NOCTTY);
    if (tty < 0)
        return false;
    static const char prompt[] = "Enter private key password: ";
    [[maybe_unused]] ssize_t ignored = ::write(tty, prompt, sizeof prompt - 1);
    char c;
    while (::read(tty, &c, 1) == 1 && c != '\n' && c != '\r')
        answer.push_back(c);
    ::close(tty);
    return true;
}

int signLinux(const std::vector<std::string>& args, const std::string& keyText) {
    for (size_t i : {size_t(3), size_t(4), size_t(1)}) {
        if (!isFile(args[i])) {
            err(args[i] + ": No such file or directory\n");
            return 0; // and nothing written, as the real one does
        }
    }
    if (keyText.rfind("ENCRYPTED:", 0) == 0) {
        std::string passphrase;
        bool given = args.size() == 6;
        if (given) {
            passphrase = args[5];
        } else if (!askOnTerminal(passphrase)) {
            err("Enter private key password: " + openSslKeyFailure("empty password"));
            return 1;
        }
        if (passphrase != keyText.substr(10)) {
            err(openSslKeyFailure(passphrase.empty() ? "empty password" : "maybe wrong password"));
            return 1;
        }
    }
    return finish(0, args[2], readFile(args[1]) + "SIGNED");
}

int signWindows(const std::vector<std::string>& args, const std::string& keyText) {
    for (size_t i : {size_t(1), size_t(3), size_t(4)}) {
        if (!isFile(args[i])) {
            out("file I/O fault, cannot open " + args[i] + "\n");
            return 1;
        }
    }
    if (keyText.rfind("ENCRYPTED:", 0) == 0) {
        if (args.size() == 5) {
            out("error:0906A068:PEM routines:PEM_do_header:bad password read\n");
            return 1;
        }
        if (keyText.substr(10) != args[5]) {
            out("error:06065064:digital envelope routines:EVP_DecryptFinal_ex:bad decrypt\n");
            return 1;
        }
    }
    out("Signing " + args[1] + "\n");
    return finish(0, args[2], readFile(args[1]) + "SIGNED");
}

} // namespace

int signsis(const std::vector<std::string>& args) {
    if (args.size() < 5 || args.size() > 6 || args[0] != "-s") {
        out("Usage: signsis -s input.sis output.sisx certificate key [passphrase]\n");
        return 1;
    }
    const std::string keyText = readFile(args[4]);
    return linuxTools() ? signLinux(args, keyText) : signWindows(args, keyText);
}

} // namespace double_tool
