#!/usr/bin/env bash
# The signing step of the package: a throwaway code-signing certificate made
# here, named through the environment as a release machine may name its own,
# the package script run into a folder of its own (the package of the build
# stays unsigned), then the exe of both ZIPs checked with osslsigncode verify.
# Usage: package_test_signing.sh <work folder> <cmake> <package script arguments...>
set -euo pipefail
work=$1 cmake=$2
shift 2

rm -rf "$work"
mkdir -p "$work"
cd "$work"
printf 'throwaway\n' >password
openssl req -x509 -newkey rsa:2048 -nodes -keyout key.pem -out cert.pem -days 2 \
    -subj "/CN=Package test signer" -addext extendedKeyUsage=codeSigning 2>/dev/null
openssl pkcs12 -export -inkey key.pem -in cert.pem -out signer.p12 -passout file:password

# The build's own settings emptied, so that the environment's count.
LINK_SIGN_PKCS12=$work/signer.p12 LINK_SIGN_PASSWORD_FILE=$work/password \
    "$cmake" -D LINK_SIGN_PKCS12= -D LINK_SIGN_PASSWORD_FILE= -D LINK_SIGN_TIMESTAMP_URL= \
    -D LINK_PACKAGE_DIR="$work/package" "$@"

cd package
for sums in *.zip.sha256; do
    sha256sum -c "$sums"
    zip=${sums%.sha256}
    python3 -c 'import sys, zipfile; z = zipfile.ZipFile(sys.argv[1]); sys.stdout.buffer.write(z.read(sys.argv[2]))' \
        "$zip" "${zip%.zip}/Dorvik22ToZq13_U.exe" >signed.exe
    osslsigncode verify -CAfile ../cert.pem -in signed.exe | tee verify.txt
    grep -q '^Message digest algorithm *: SHA256$' verify.txt
    grep -q '^Signature verification: ok$' verify.txt
done
