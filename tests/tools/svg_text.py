"""The texts of an SVG document, as a reader sees them."""
import xml.etree.ElementTree as ET

SVG = "{http://www.w3.org/2000/svg}"


def svg_texts(path):
    """The root element's tag and every text element's words."""
    root = ET.parse(path).getroot()
    return root.tag, ["".join(t.itertext()) for t in root.iter(SVG + "text")]
