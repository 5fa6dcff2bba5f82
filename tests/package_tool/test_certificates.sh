# Sourced by the signing tests: makes test certificates with openssl in a
# folder of the test's own; nothing of them is kept.
#   make_root DIR NAME                     a self-signed root NAME.pem/.key
#   make_signer DIR NAME ISSUER [START END]  a code-signing certificate from ISSUER
#                                          (dates YYYYMMDDHHMMSSZ; default: valid for 30 days)
#   make_intermediate DIR NAME ROOT        a certificate authority below ROOT
#   make_pfx DIR NAME OUT PASSWORD [-nokeys]  OUT.pfx: NAME with its root, as Windows XP reads it
#                                          (3DES and a SHA-1 MAC)
make_root() {
  openssl req -x509 -newkey rsa:2048 -nodes -keyout "$1/$2.key" -out "$1/$2.pem" -days 60 \
    -subj "/CN=$2" >/dev/null 2>&1
}

# A 2048-bit key whose private parts (the exponent and the five CRT values)
# each fill their whole length: Wine's PFX import misplaces a part that
# begins with a zero byte (about one key in 40), and the imported key then
# makes signatures that do not verify. Windows imports every key.
make_key() {
  while openssl genrsa -out "$1" 2048 >/dev/null 2>&1; do
    openssl rsa -in "$1" -text -noout 2>/dev/null | awk '
      /^[a-zA-Z]/ { name = $1 }
      /^ / { gsub(/[ :]/, ""); bytes[name] = bytes[name] $0 }
      END {
        for (name in bytes) {
          value = bytes[name]; sub(/^00/, "", value)
          if (name == "privateExponent:" && length(value) != 512) exit 1
          if (name ~ /^(prime[12]|exponent[12]|coefficient):$/ && length(value) != 256) exit 1
        }
      }' && return 0
  done
  return 1
}

make_signer() {
  local dir=$1 name=$2 root=$3 dates extensions=${EXTENSIONS:-code_signing}
  [ -f "$dir/ca.cnf" ] || cat >"$dir/ca.cnf" <<EOF
[ca]
default_ca = test_ca
[test_ca]
database = $dir/index.txt
new_certs_dir = $dir
serial = $dir/serial
default_md = sha256
policy = any_name
x509_extensions = code_signing
unique_subject = no
[any_name]
commonName = supplied
[code_signing]
basicConstraints = CA:FALSE
keyUsage = digitalSignature
extendedKeyUsage = codeSigning
[intermediate]
basicConstraints = critical, CA:TRUE
keyUsage = keyCertSign, cRLSign
EOF
  [ -f "$dir/index.txt" ] || { : >"$dir/index.txt"; echo 01 >"$dir/serial"; }
  if [ $# -ge 5 ]; then dates=(-startdate "$4" -enddate "$5"); else dates=(-days 30); fi
  make_key "$dir/$name.key" &&
    openssl req -new -key "$dir/$name.key" -out "$dir/$name.csr" -subj "/CN=$name" >/dev/null 2>&1 &&
    openssl ca -batch -notext -config "$dir/ca.cnf" -cert "$dir/$root.pem" -keyfile "$dir/$root.key" \
      -in "$dir/$name.csr" -out "$dir/$name.pem" -extensions "$extensions" "${dates[@]}" >/dev/null 2>&1 &&
    cat "$dir/$root.pem" $([ -f "$dir/$root.chain.pem" ] && echo "$dir/$root.chain.pem") >"$dir/$name.chain.pem"
}

make_intermediate() { EXTENSIONS=intermediate make_signer "$@"; }

make_pfx() {
  local dir=$1 name=$2 out=$3 password=$4 key=(-inkey "$1/$2.key")
  [ "${5:-}" = -nokeys ] && key=(-nokeys)
  openssl pkcs12 -export -in "$dir/$name.pem" "${key[@]}" -certfile "$dir/$name.chain.pem" \
    -out "$dir/$out.pfx" -passout "pass:$password" -certpbe PBE-SHA1-3DES -keypbe PBE-SHA1-3DES -macalg sha1
}
