#!/usr/bin/env bash
# Checks each bill of materials in FOLDER against CycloneDX 1.5's published
# JSON schema, with Debian's python3-jsonschema. The schema comes from
# CycloneDX's own library on the npm registry, pinned by its digest, and is
# kept in CACHE once fetched.
#   tests/sbom.sh CACHE FOLDER
set -euo pipefail
exec /usr/bin/python3 - "$@" <<'PYTHON'
import base64, hashlib, io, json, pathlib, sys, tarfile, urllib.request
import jsonschema

cache, folder = pathlib.Path(sys.argv[1]), pathlib.Path(sys.argv[2])
library = "https://registry.npmjs.org/@cyclonedx/cyclonedx-library/-/cyclonedx-library-10.3.0.tgz"
digest = "RIT28sp1U0PCHaaeF3yNRwk6Jig/XJ8UsYAVOMYaHQ+0VVOvsjcp0PTWQFLUqJFF8XMud+Kdq6G+wtDAh+QJFA=="
tarball = cache / library.rsplit("/", 1)[1]
if not tarball.exists():
    cache.mkdir(parents=True, exist_ok=True)
    tarball.write_bytes(urllib.request.urlopen(library, timeout=60).read())
if base64.b64encode(hashlib.sha512(tarball.read_bytes()).digest()).decode() != digest:
    sys.exit(f"{tarball} is not the library pinned here")

# The schema and the two it refers to, under the addresses it refers to them by.
base = "http://cyclonedx.org/schema/"
with tarfile.open(tarball) as archive:
    schemas = {base + name: json.load(archive.extractfile("package/res/schema/" + name))
               for name in ("bom-1.5.SNAPSHOT.schema.json", "spdx.SNAPSHOT.schema.json",
                            "jsf-0.82.SNAPSHOT.schema.json")}
bom = schemas[base + "bom-1.5.SNAPSHOT.schema.json"]
try:  # jsonschema 4.18 and later
    from referencing import Registry, Resource
    registry = Registry().with_resources((uri, Resource.from_contents(s)) for uri, s in schemas.items())
    validator = jsonschema.Draft7Validator(bom, registry=registry, format_checker=jsonschema.FormatChecker())
except ImportError:
    resolver = jsonschema.RefResolver.from_schema(bom, store=schemas)
    validator = jsonschema.Draft7Validator(bom, resolver=resolver, format_checker=jsonschema.FormatChecker())

documents = sorted(folder.glob("*.cdx.json"))
if not documents:
    sys.exit(f"no bill of materials in {folder}")
failed = False
for document in documents:
    errors = list(validator.iter_errors(json.loads(document.read_text())))
    for error in errors:
        print(f"{document.name}: {'/'.join(map(str, error.absolute_path))}: {error.message}")
    print(f"{document.name}: {'invalid' if errors else 'valid CycloneDX 1.5'}")
    failed |= bool(errors)
sys.exit(failed)
PYTHON
