#pragma once

#include <string>

// Writes a throwaway self-signed certificate and its key for 127.0.0.1 into `dir` as
// cert.pem and key.pem; false when OpenSSL fails.
bool writeSelfSignedCertificate(const std::string& dir);
