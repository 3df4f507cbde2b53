#!/usr/bin/env python3
"""The manifests scripts/manifests writes for a fake release with known bytes,
and for the real one in dist/ when TBQ_REQUIRE_RELEASE says scripts/release
has just made it."""
import hashlib, json, os, re, subprocess, sys, tempfile
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]


def read_yaml(path):  # "Key: value" at any depth; a key given twice fails
    values = {}
    for key, value in re.findall(r"^ *(?:- )?(\w+): *(\S.*)$", path.read_text("utf-8"), re.M):
        if value.startswith("'"):
            assert re.fullmatch(r"'([^']|'')*'", value), f"{path.name}: {key}: bad quotes"
            value = value[1:-1].replace("''", "'")
        assert key not in values, f"{path.name}: {key} twice"
        values[key] = value
    return values


def check(dist, version):
    sha = lambda name: hashlib.sha256((dist / name).read_bytes()).hexdigest()
    base = lambda url: url.rsplit("/", 1)[-1]
    yamls = {p.name: read_yaml(p) for p in (dist / "winget").glob("*.yaml")}
    kind = {v.get("ManifestType"): v for v in yamls.values()}
    ident = kind["version"].get("PackageIdentifier", "")
    inst, loc = kind["installer"], kind["defaultLocale"]
    scoop = json.loads((dist / "scoop/TBQ.json").read_text("utf-8"))
    arch = [scoop["architecture"][a] for a in ("64bit", "32bit")]
    zips = [f"TBQ-{version}-{a}.zip" for a in ("x64", "x86")]
    setup = f"TBQ-{version}-setup.exe"
    header = (ROOT / "program/app/settings_files.h").read_text("utf-8")
    settings = re.findall(r'File\[\] = u"(TBQ_\w+\.ini)"', header)
    kept = " ".join(scoop.get("pre_uninstall", []))
    rows = [
        ("file names", sorted(yamls), sorted(f"{ident}{s}.yaml" for s in
                                           ("", ".installer", ".locale.en-US", ".locale.ja-JP"))),
        ("identifier, versions", {(v.get("PackageIdentifier"), v.get("PackageVersion"),
                                   v.get("ManifestVersion")) for v in yamls.values()},
         {(ident, version, "1.6.0")}),
        ("default locale", [kind["version"].get("DefaultLocale"), loc.get("PackageLocale")] +
         [bool(loc.get(k)) for k in ("Publisher", "PackageName", "License", "ShortDescription")],
         ["en-US", "en-US", True, True, True, True]),
        ("installer", [inst.get(k) for k in ("InstallerType", "Scope", "Architecture",
                                             "UpgradeBehavior", "Silent", "SilentWithProgress",
                                             "InstallerSha256")] + [base(inst["InstallerUrl"])],
         ["nullsoft", "user", "x64", "install", "/S", "/S", sha(setup).upper(), setup]),
        ("scoop archives", [(base(a["url"]), a["hash"]) for a in arch],
         [(z, sha(z)) for z in zips]),
        ("scoop start", [scoop.get(k) for k in ("version", "bin", "shortcuts")],
         [version, "TBQ.exe", [["TBQ.exe", loc.get("PackageName")]]]),
        # A persisted name not there yet becomes a folder, which TBQ takes for
        # its settings file: the files are copied instead, every one of them.
        ("persist, folders only", scoop.get("persist", []) != [] and
         not any(p.endswith(".ini") for p in scoop["persist"]), True),
        ("settings kept", [f for f in settings if f not in kept], []),
    ]
    return [f"{dist}: {what}: {got!r}, expected {want!r}"
            for what, got, want in rows if got != want]


def main():
    failures = []
    with tempfile.TemporaryDirectory() as temp:
        dist, version, version_file = Path(temp, "dist"), "9.8.7.6", Path(temp, "VERSION")
        dist.mkdir()
        version_file.write_text(f"{version}\nonly the first line counts\n")
        for name in ("setup.exe", "x64.zip", "x86.zip"):
            (dist / f"TBQ-{version}-{name}").write_bytes(name.encode())
        run = [sys.executable, str(ROOT / "scripts/manifests"), str(dist), str(version_file)]
        subprocess.run(run, check=True, stdout=subprocess.DEVNULL)
        failures += check(dist, version)
        (dist / f"TBQ-{version}-x86.zip").unlink()
        if subprocess.run(run, capture_output=True).returncode == 0:
            failures.append("a release without its x86 archive got manifests")
    if os.environ.get("TBQ_REQUIRE_RELEASE"):
        if (ROOT / "dist/scoop").is_dir():
            real_version = (ROOT / "VERSION").read_text("utf-8").splitlines()[0].strip()
            failures += check(ROOT / "dist", real_version)
        else:
            failures.append("no manifests in dist/ (scripts/release writes them)")
    print("\n".join(failures) or "release manifests: as expected")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
